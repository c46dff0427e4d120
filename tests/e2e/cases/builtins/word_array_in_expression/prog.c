A WORD array as a value argument inside an expression.
[CODE]
WORD w, tab[2];
BYTE x, buf[4];
main()
{
    x = mget(tab, 1);
}
