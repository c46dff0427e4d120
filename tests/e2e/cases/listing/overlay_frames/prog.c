A function in an overlay frame.
[CODE]
BYTE n;
main()
{
    n = 1;
    part();
}
#frame
part()
{
    do n = n + 1; while (n < 10);
}
