A statement that assigns to a number.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    5 = x;
}
