A pin reference to a bit that a port uses cannot be assigned.
[CODE]
#port LEDS "1,2"
main()
{
    #3 = 1;
    #2 = 0;
}
