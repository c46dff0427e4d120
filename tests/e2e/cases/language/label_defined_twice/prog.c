The same label twice.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
here:
    x = 1;
here:
    goto here;
}
