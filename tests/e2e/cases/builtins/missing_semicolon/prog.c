A call without its semicolon.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    SendByte(1)
    x = 1;
}
