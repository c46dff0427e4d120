Two arguments without a comma in a statement call.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    SetTimer(1 2);
}
