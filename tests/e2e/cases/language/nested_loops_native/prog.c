A while loop inside a do loop, with break and continue at both depths, and braced if/else bodies.
[CODE]
BYTE i, j;
main()
{
    do {
        i = i + 1;
        while (j < 3) {
            j = j + 1;
            if (j == 1) continue;
            if (j == 2) break;
        }
        if (i == 1) continue;
        if (i > 5) break;
    } while (i < 10);
    if (i) {
        i = 0;
    } else {
        j = 1;
        i = 2;
    }
}
