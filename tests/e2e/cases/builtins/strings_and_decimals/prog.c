Strings with quotes, control characters, double-byte characters; decimal constants.
[CODE]
main()
{
    SendMsg("say \"hi\"");
    Message("\tTab");
    Message("");
    Message("\r\n");
    SendMsg("テスト表");
    SendByte(5.0);
    Wait(12.55, 0);
}
