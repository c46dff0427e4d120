A variable called like a function.
[CODE]
BYTE x;
main()
{
    x = 1;
    x();
}
