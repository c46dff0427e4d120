An assignment target indexed by a port bit.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    buf[LEDS15] = 1;
}
