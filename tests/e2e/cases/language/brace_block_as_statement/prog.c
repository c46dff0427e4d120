A brace block is not a statement of its own.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    { x = 1; }
}
