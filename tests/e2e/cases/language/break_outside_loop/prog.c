break outside any loop.
[CODE]
BYTE x;
main()
{
    while (x) x = 0;
    if (x) break;
}
