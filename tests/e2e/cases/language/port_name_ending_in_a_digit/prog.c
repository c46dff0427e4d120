A port whose name ends in a digit: a bit name is the port name and the bit number, and it names that bit.
[CODE]
#port LED1 "1,2"
BYTE x;
main()
{
    LED114.dir = 1;
    LED115.dir = 0;
    x = LED114;
}
