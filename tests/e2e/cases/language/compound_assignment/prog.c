Compound assignment is not supported.
[CODE]
BYTE x;
main()
{
    x = 1;
    x += 2;
}
