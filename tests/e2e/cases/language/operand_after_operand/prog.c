Two operands in a row.
[CODE]
BYTE a, b, x;
main()
{
    x = a b;
}
