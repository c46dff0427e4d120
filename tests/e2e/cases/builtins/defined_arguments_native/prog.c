Defined names as built-in arguments: a voltage, a character and a control target.
[CODE]
#port LEDS "1"
#define VPP 12.5
#define ESC '\x1B'
#define LED LEDS15
main()
{
    VppVolt(VPP);
    SendByte(ESC);
    Pulse(LED);
}
