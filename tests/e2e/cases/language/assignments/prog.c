Assignments to every kind of target: variables, port registers, bit directions, pin references.
[CODE]
#port LEDS "1,2,3,4"
#port CTRL "P20,P21"
WORD w = 300;
BYTE b = 1;
main()
{
    b = 7;
    w = 0x1234;
    w = b;
    b = w;
    LEDS = 15;
    LEDS.dir = 65535;
    CTRL = LEDS;
    LEDS15.dir = 1;
    CTRL14.dir = 0;
    #P30 = 1;
    #P31.dir = 0;
    #Vpp1 = 0;
    #Vcc1 = 1;
    #GND1.dir = 1;
    b = LEDS14;
    w = CTRL.dir;
}
