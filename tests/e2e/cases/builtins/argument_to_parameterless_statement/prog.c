An argument given to a built-in without parameters.
[CODE]
WORD w, tab[2];
BYTE x, buf[4];
main()
{
    EndDump();
    EndDump(5);
}
