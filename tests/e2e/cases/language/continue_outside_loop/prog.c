continue outside any loop.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    do x = 1; while (a);
    continue;
}
