Constants wider than their field: a character constant of 511 and an element index of 70000.
[CODE]
WORD tab[2];
BYTE x, buf[4];
main()
{
    x = '\777';
    buf['\777'] = 1;
    tab['\777'] = 2;
    x = buf[70000];
    SendByte('\777');
}
