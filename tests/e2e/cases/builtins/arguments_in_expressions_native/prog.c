Arguments of built-in calls inside expressions: variables, port registers, arrays, left-out and side-by-side arguments.
[CODE]
#port IO "P30"
WORD w;
BYTE x, buf[4];
main()
{
    x = ee_read(x, w);
    w = mgetw(IO, 300);
    w = DataReq(IO, w, w, buf, w);
    x = mget(buf x) + ee_read(5,);
    w = SetClock(w) * 2;
}
