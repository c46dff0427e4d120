Increment and decrement operators inside expressions.
[CODE]
BYTE x, y;
main()
{
    x = ++y;
    x = y-- + 1;
}
