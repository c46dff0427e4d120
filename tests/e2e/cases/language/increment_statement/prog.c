A name followed by ++ is not a statement.
[CODE]
BYTE x;
main()
{
    x++;
}
