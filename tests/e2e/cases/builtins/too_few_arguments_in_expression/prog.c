Too few arguments inside an expression.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    x = mget(buf);
}
