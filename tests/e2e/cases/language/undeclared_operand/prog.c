An operand that was never declared.
[CODE]
BYTE x;
main()
{
    x = y + 1;
}
