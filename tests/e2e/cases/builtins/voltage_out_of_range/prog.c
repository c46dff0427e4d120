Voltages outside 0 V and 5 V to 21 V.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    VppVolt(21);
    VccVolt(21.05);
}
