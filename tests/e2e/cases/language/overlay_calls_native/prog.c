Functions in overlay frames calling each other across frames.
[CODE]
BYTE x;
main()
{
    first();
    x = 1;
    second();
}
#frame
first()
{
    second();
    while (x) x = 0;
}
#frame
second()
{
    if (x) first();
}
