A port bit cannot index an array.
[CODE]
#port LEDS "1,2"
BYTE buf[4], x;
main()
{
    x = buf[LEDS15];
}
