A built-in without a result inside an expression.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    x = EndDump();
}
