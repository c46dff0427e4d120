Each built-in service once, listed by name.
[CODE]
WORD w;
BYTE a[2];
main()
{
    Pulse(#P30);
    Inc(#P30);
    Clear(#P30);
    Dec(#P30);
    DataDump(1);
    GetTimer();
    SetTimer(1, 2);
    StartDump(1, 2, 3);
    EndDump();
    return();
    exit(0);
    SendByte(1);
    SendWord(300);
    SendHex(1);
    SendCode(1);
    StartMsg();
    SendMsg("");
    EndMsg();
    SendNum2Str(1, 2);
    InitIo();
    VppVolt(5);
    VccVolt(21);
    RecByte();
    NwRecByte();
    DataReq(1, w, w, a, w);
    Wait(1, 2);
    mset(1, 2, 3);
    mget(1, 2);
    mgetw(1, 2);
    GetClock();
    SetClock(1);
    WaitExecEvent();
    Message("");
    ee_write(1, 2);
    ee_read(1);
    ee_prog();
    ClockStart();
    ClockStop();
    InitVolt();
    time_set(a, 1);
    time_get(a, 1);
    time_cmp(a, a);
    time_update(a);
    time_rstcarry(a);
    memcpy(a, a, 1);
}
