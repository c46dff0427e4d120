Every statement and operand kind.
[CODE]
#port BUS "1,2,3,4,5,6,7,8"
#port CTRL "P50,P51,9"
#define STEP 3

BYTE b, c = 1, bytes[8] = {1, 2, 3};
WORD w, v = 300;
WORD words[4] = {10, 20};
BYTE text[] = "hi";

helper()
{
    b = b + STEP;
}

main()
{
    b = 5;
    w = 300;
    v = w + b * 2 - c / 3 % 4;
    w = (v << 2) | (v >> 1) & 0xFF;
    w = ~v;
    b = !c;
    b = b == c || b != c && b < c;
    b = b <= c;
    b = b > c;
    b = b >= c;
    BUS = 0x55;
    BUS.dir = 0;
    w = BUS;
    w = CTRL.dir;
    CTRL15.dir = 1;
    #10 = 1;
    #P60 = 0;
    #Vpp1 = 1;
    b = #11 + #P61 + CTRL15;
    bytes[2] = 7;
    bytes[b] = bytes[3];
    bytes[w] = bytes[c];
    bytes[BUS] = 1;
    words[1] = words[2];
    words[b] = words[w];
    words[BUS] = w;
    if (b) c = 1;
    if (b > 2) { c = 2; } else { c = 3; }
    while (b < 10) {
        b = b + 1;
        if (b == 4) continue;
        if (b == 8) break;
    }
    do {
        c = c - 1;
    } while (c);
    goto done;
    helper();
done:
    ;
    later();
#asm
	NOP
#endasm
}

later()
{
    w = 0;
}
