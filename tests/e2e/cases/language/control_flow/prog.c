if/else, while, do/while, break, continue, goto with labels, empty statements, calls before and after definition.
[CODE]
BYTE i;
BYTE n = 3;
WORD sum;
finish()
{
    n = 0;
}
main()
{
    setup();
    while (i < n) {
        i = i + 1;
        if (i == 2)
            continue;
        sum = sum + i;
    }
    do {
        i = i - 1;
        if (i == 0) break;
    } while (i);
    if (sum > 10) sum = 10;
    else if (sum) sum = 1;
    else ;
    ;
    goto done;
again:
    i = 0;
done:
    if (i) goto again;
    finish();
}
setup()
{
    n = 5;
}
