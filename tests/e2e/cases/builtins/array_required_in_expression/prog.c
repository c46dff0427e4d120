An array parameter given a BYTE variable inside an expression.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    w = time_get(x, 1);
}
