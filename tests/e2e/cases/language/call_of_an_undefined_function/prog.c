A function that is called but never defined.
[CODE]
BYTE x;
main()
{
    later();
    x = 1;
}
