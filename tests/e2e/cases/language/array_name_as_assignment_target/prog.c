An array assigned without an index.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    buf = 1;
}
