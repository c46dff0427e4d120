Every built-in service, as a statement and, where it returns a value, in an expression.
[CODE]
#port BUS "1,2,3,4,5,6,7,8"
#port CTRL "P50,9"
WORD w, v, clock[2];
BYTE b, c, stamp[6], buf[16];

main()
{
    InitIo();
    InitVolt();
    VppVolt(12.5);
    VccVolt(5);
    VccVolt(w);
    Pulse(CTRL15);
    Pulse(#10);
    Pulse(BUS);
    Pulse(b);
    Inc(b);
    Inc(w);
    Dec(b);
    Dec(w);
    Clear(b);
    Clear(w);
    Clear(CTRL);
    DataDump(b);
    w = GetTimer();
    SetTimer(1, 1000);
    w = SetTimer(w, v);
    StartDump(0, 16, 1);
    EndDump();
    SendByte(0x41);
    SendWord(w);
    SendHex(b);
    SendCode(300);
    StartMsg();
    SendMsg("ready");
    SendMsg("say \"hi\"\n");
    SendNum2Str(b, w);
    EndMsg();
    Message("done");
    w = RecByte();
    w = NwRecByte();
    DataReq(1, w, v, buf, v);
    w = DataReq(w, v, w, buf, v);
    Wait(0, 100);
    w = Wait(b, c);
    mset(buf, 16, 0);
    b = mget(buf, 2);
    w = mgetw(buf, 4);
    w = GetClock();
    SetClock(b);
    w = SetClock(v);
    w = WaitExecEvent();
    ee_write(0, 16, b);
    b = ee_write(0, 16);
    b = ee_write(0, 16, b);
    b = ee_read(4);
    b = ee_read(4, c);
    b = ee_prog();
    ClockStart();
    ClockStop();
    w = time_set(stamp, 1);
    w = time_set(stamp, b, c);
    w = time_get(stamp, 2);
    w = time_cmp(stamp, stamp);
    w = time_update(stamp);
    w = time_update(stamp, 3);
    time_rstcarry(stamp);
    memcpy(buf, stamp, 6);
    return();
    exit(0);
}
