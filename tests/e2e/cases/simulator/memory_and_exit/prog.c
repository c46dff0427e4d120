The memory services act on the data area; exit ends the run.
[CODE]
BYTE text[4] = "ab";
BYTE copy[4];
BYTE x;
main()
{
    memcpy(copy, text, 3);
    mset(text, 2, 120);
    x = mget(copy, 1);
    SendByte(x);
    SendMsg("left out");
    x = mget(text, 0) + 1;
    SendByte(x);
    exit(3);
    SendByte(0);
}
