A condition cut short by a semicolon.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    if (a; x = 1;
}
