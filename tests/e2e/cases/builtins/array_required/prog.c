An array parameter given a WORD variable.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    time_rstcarry(w);
}
