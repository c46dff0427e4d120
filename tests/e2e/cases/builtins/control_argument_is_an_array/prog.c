A control parameter given an array.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    Inc(buf);
}
