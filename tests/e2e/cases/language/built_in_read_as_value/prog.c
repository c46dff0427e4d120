A built-in named without parentheses in an expression.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    x = GetTimer;
}
