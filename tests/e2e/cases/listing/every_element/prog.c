Arrays, port registers, built-in calls and every operator in the listing.
[CODE]
#port PA "P10"
#port PB "P20"
#port PC "P30"
WORD w = 1;
BYTE b[2];
WORD t[2];
BYTE i;
main()
{
    b[i] = t[w] + 300;
    PC = PA.dir + PB.dir + PC.dir + PB;
    w = GetTimer() * 2;
    t[1] = b[0] - ~w;
    w = w / 2 % 3;
    i = w != 1 && w >= 2 || w > 3;
    i = (w <= 4) == (w < 5);
    w = w << 1 | w >> 2 & 7;
    i = ++i + --w + !i;
    PB.dir = i;
}
