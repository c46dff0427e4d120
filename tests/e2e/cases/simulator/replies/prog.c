Services that return a value take their values from the replies file, then 0.
[CODE]
WORD r;
main()
{
    r = GetTimer(); SendWord(r);
    r = GetTimer(); SendWord(r);
    r = GetTimer(); SendWord(r);
    r = RecByte() + 1; SendWord(r);
}
