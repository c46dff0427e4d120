do ... while without its final semicolon.
[CODE]
BYTE x;
main()
{
    do x = x + 1; while (x < 3)
    x = 0;
}
