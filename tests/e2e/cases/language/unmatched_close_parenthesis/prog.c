A closing parenthesis without its partner.
[CODE]
#port LEDS "1,2"
BYTE a, x, buf[4];
main()
{
    x = a + 1);
}
