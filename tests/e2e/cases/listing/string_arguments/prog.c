String arguments of built-ins in the listing.
[CODE]
BYTE i;
main()
{
    SendMsg("Hi!");
    Message("A\xA0");
    i = i + 1;
}
