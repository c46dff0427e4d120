A named bit of a port cannot be assigned.
[CODE]
#port LEDS "1,2"
main()
{
    LEDS15.dir = 1;
    LEDS15 = 1;
}
