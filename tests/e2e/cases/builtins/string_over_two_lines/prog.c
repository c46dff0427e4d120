A message string that runs over two lines.
[CODE]
BYTE x;
main()
{
    SendMsg("ab
cd");
    x = 1;
}
