A by-reference parameter given a BYTE variable.
[CODE]
WORD w;
BYTE x, buf[4];
main()
{
    DataReq(w, x, w, buf, w);
}
