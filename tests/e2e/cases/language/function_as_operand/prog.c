A function of the program cannot be read as a value.
[CODE]
BYTE x;
tick()
{
}
main()
{
    x = tick + 1;
}
