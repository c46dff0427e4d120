The ^ operator is refused inside expressions.
[CODE]
BYTE a, b, x;
main()
{
    x = (a ^ b);
}
