A port register at a by-reference DataReq parameter.
[CODE]
#port IO "P30"
WORD w;
BYTE buf[4];
main()
{
    w = 1;
    DataReq(IO, IO, w, buf, w);
}
