More arguments than parameters.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    SendByte(1, 2);
}
