Overlay frames: calls across frames go through the overlay loader.
[CODE]
WORD total;
BYTE count;

main()
{
    count = 0;
    first();
    second();
    while (count < 3) {
        first();
        count = count + 1;
    }
}

common()
{
    total = total + 1;
}

#frame
first()
{
    common();
    total = total * 2;
}

#frame
second()
{
    common();
    first();
    if (total > 100) total = 0;
}
