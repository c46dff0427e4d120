A direction bit cannot be read.
[CODE]
#port LEDS "1,2"
BYTE x;
main()
{
    x = LEDS14 + LEDS15.dir;
}
