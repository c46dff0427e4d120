A message parameter given a variable.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    SendMsg(x);
}
