A control program that uses every built-in service, as statements and inside expressions.
[CODE]
#port LEDS "1,2,3,4"
WORD t, cnt, len;
BYTE st, ch = 'A';
BYTE buf[8];
BYTE tm[6], tm2[6];
main()
{
    InitIo();
    InitVolt();
    Clear(LEDS);
    Pulse(LEDS15);
    Pulse(#P30);
    Pulse(st);
    Inc(cnt);
    Inc(st);
    Inc(LEDS14);
    Dec(cnt);
    Dec(st);
    Dec(#Vpp1);
    Clear(cnt);
    Clear(st);
    VppVolt(12.5);
    VccVolt(5);
    VppVolt(0);
    VccVolt(st);
    SetTimer(100, 2);
    Wait(100, 0);
    t = GetTimer();
    WaitExecEvent();
    SetClock(0);
    ClockStart();
    t = GetClock() + 1;
    ClockStop();
    serial();
    memory();
    clock();
    cnt = DataReq(cnt, t, len, buf, cnt);
    if (RecByte() == 0x1B) exit(1);
}
serial()
{
    StartMsg();
    SendMsg("Hello");
    SendByte(ch);
    SendWord(t);
    SendHex(0x3F);
    SendCode(1000);
    SendNum2Str(LEDS, t);
    EndMsg();
    Message("Done\n");
    st = NwRecByte();
    DataReq(cnt, t, len, buf, cnt);
    return();
}
memory()
{
    StartDump(buf, 8, 1);
    DataDump(buf);
    EndDump();
    mset(buf, 0, 8);
    st = mget(buf, 2);
    t = mgetw(buf, 4);
    ee_write(1, 16, st);
    ee_read(16);
    st = ee_read(16) + ee_prog();
    memcpy(tm2, tm, 6);
}
clock()
{
    time_set(tm, 10);
    time_set(tm2, 10, 5);
    t = time_get(tm, 3);
    while (time_cmp(tm, tm2)) time_update(tm, 1);
    time_update(tm2);
    time_rstcarry(tm);
}
