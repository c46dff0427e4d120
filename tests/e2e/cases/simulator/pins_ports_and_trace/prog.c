Pins through a port register and pin references, with every instruction traced.
[CODE]
#port BUS "1,2"
BYTE i;
main()
{
    BUS = 65535;
    #17 = 1;
    BUS.dir = 3;
    i = BUS;
    BUS = 0;
    SendByte(i);
}
