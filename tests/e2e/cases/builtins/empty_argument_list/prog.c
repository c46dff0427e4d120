A value parameter left empty.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    SendByte();
}
