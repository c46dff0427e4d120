if without its opening parenthesis.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    if a) x = 1;
}
