do closed by something else than while.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    do x = 1; until (a);
}
