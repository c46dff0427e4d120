A value parameter given a string.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    SendByte("A");
}
