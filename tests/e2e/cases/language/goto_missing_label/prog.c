A goto whose label is nowhere.
[CODE]
BYTE x;
main()
{
    goto there;
    x = 1;
}
