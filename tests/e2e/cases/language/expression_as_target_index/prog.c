An assignment target indexed by an expression.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    buf[a + 1] = 1;
}
