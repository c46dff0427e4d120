else without an if.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    x = 1;
    else x = 2;
}
