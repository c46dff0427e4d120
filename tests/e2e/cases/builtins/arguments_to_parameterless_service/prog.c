Arguments given to a built-in without parameters.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    w = GetTimer();
    w = GetTimer(1);
}
