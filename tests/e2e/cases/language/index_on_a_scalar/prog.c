An index after a name that is not an array.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    x[1] = 2;
}
