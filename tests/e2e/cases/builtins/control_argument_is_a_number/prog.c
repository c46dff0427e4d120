A control parameter given a number.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    Pulse(x);
    Pulse(5);
}
