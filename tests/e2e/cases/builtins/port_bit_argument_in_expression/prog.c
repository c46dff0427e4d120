A port bit given to a value parameter inside an expression.
[CODE]
#port LEDS "1"
BYTE x;
main()
{
    x = ee_read(LEDS15);
}
