A label that reuses a variable name.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    x = 1;
a:
    x = 2;
}
