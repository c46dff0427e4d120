Array elements read and assigned with constant, BYTE, WORD and port-register indexes.
[CODE]
#port IO "P30"
WORD tab[3] = {100, 200, 300};
WORD w = 2, r;
BYTE i = 1, b;
BYTE buf[4] = {1, 2, 3, 4};
main()
{
    b = buf[2];
    b = buf[i];
    b = buf[w];
    b = buf[IO];
    r = tab[1];
    r = tab[i];
    r = tab[w];
    r = tab[IO];
    r = tab[40000];
    buf[3] = b;
    buf[i] = 9;
    buf[w] = b + 1;
    buf[IO] = 0;
    tab[2] = 500;
    tab[i] = r;
    tab[w] = tab[0];
    tab[IO] = 7;
    tab[40000] = 1;
}
