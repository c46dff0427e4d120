An array element not followed by =.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    buf[1] 2;
}
