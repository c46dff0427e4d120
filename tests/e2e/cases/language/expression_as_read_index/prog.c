An element read with an expression index.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    x = buf[a + 1];
}
