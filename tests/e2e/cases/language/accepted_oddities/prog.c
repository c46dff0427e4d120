Unusual forms that are accepted: names defined as other names, empty conditions and bodies, operators without a left operand.
[CODE]
#port LEDS "1"
#define LED LEDS15
#define TWO 2
BYTE a = 1, b = 2, x, buf[3];
main()
{
    x = LED;
    x = buf[TWO];
    x = (a)(b);
    x = -a;
    if () x = 1;
    while (x) { }
    goto a;
}
