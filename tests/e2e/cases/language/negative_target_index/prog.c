An assignment target indexed by a negative number.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    buf[-1] = 1;
}
