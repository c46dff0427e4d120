Functions without a data area.
[CODE]
#port OUT "P10,P11"
blink()
{
    OUT15.dir = 1;
    Pulse(OUT15);
    Wait(10, 0);
}
main()
{
    while (!OUT14) blink();
    if (OUT == 2) OUT = 0; else goto end;
end:
    ;
}
