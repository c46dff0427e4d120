A constant above 65535.
[CODE]
WORD w;
main()
{
    w = 65535;
    w = 65536;
}
