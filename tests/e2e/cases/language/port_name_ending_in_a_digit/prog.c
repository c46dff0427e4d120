A port whose name ends in a digit: its two-digit bit names have no bit number.
[CODE]
#port LED1 "1,2"
BYTE x;
main()
{
    LED114.dir = 1;
    LED115.dir = 1;
}
