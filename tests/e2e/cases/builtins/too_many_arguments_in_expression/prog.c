Too many arguments inside an expression.
[CODE]
WORD w, tab[2];
BYTE x, buf[4];
main()
{
    x = mget(buf, 1, 2);
}
