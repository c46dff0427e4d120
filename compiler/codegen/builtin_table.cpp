#include "codegen/builtin_table.hpp"

namespace corvel::codegen {

const Builtin kBuiltins[kBuiltinCount] = {
    {1, "Pulse", " C", "\tJSR\t@fPulse:24\n"},
    {2, "Inc", " C", "\tJSR\t@fInc:24\n"},
    {3, "Clear", " C", "\tJSR\t@fClear:24\n"},
    {4, "Dec", " C", "\tJSR\t@fDec:24\n"},
    {5, "DataDump", " B", "\tJSR\t@fDataDump:24\n"},
    {6, "GetTimer", "W", "\tJSR\t@fGetTimer:24\n"},
    {7, "SetTimer", "WWW", "\tJSR\t@fSetTimer:24\n"},
    {8, "StartDump", " WWW", "\tJSR\t@fStartDump:24\n"},
    {9, "EndDump", " ", "\tJSR\t@fEndDump:24\n"},
    {10, "return", " ", "\tRTS\n"},
    {11, "exit", " B", "\tJMP\t@USERRET:24\n"},
    {12, "SendByte", " B", "\tJSR\t@fSendByte:24\n"},
    {13, "SendWord", " W", "\tJSR\t@fSendWord:24\n"},
    {14, "SendHex", " B", "\tJSR\t@fSendHex:24\n"},
    {15, "SendCode", " W", "\tJSR\t@fSendCode:24\n"},
    {16, "StartMsg", " ", "\tJSR\t@fStartMsg:24\n"},
    {17, "SendMsg", " S", "\tJSR\t@fSendMsg:24\n"},
    {18, "EndMsg", " ", "\tJSR\t@fEndMsg:24\n"},
    {19, "SendNum2Str", " BW", "\tJSR\t@fSendNum2Str:24\n"},
    {20, "InitIo", " ", "\tJSR\t@fInitIo:24\n"},
    {21, "VppVolt", " F", "\tJSR\t@fVppVolt:24\n"},
    {22, "VccVolt", " F", "\tJSR\t@fVccVolt:24\n"},
    {23, "RecByte", "W", "\tJSR\t@fRecByte:24\n"},
    {24, "NwRecByte", "W", "\tJSR\t@fNwRecByte:24\n"},
    {25, "DataReq", "WWPPAP", "\tJSR\t@fDataReq:24\n"},
    {27, "Wait", "WWW", "\tJSR\t@fWait:24\n"},
    {28, "mset", " WWB", "\tJSR\t@fmset:24\n"},
    {29, "mget", "BWW", "\tJSR\t@fmget:24\n"},
    {30, "mgetw", "WWW", "\tJSR\t@fmgetw:24\n"},
    {31, "GetClock", "W", "\tJSR\t@fGetClock:24\n"},
    {32, "SetClock", "WW", "\tJSR\t@fSetClock:24\n"},
    {33, "WaitExecEvent", "W", "\tJSR\t@fWaitExecEvent:24\n"},
    {34, "Message", " S", "\tJSR\t@fMessage:24\n"},
    {35, "ee_write", "BWBb", "\tJSR\t@fee_write:24\n"},
    {36, "ee_read", "BWb", "\tJSR\t@fee_read:24\n"},
    {37, "ee_prog", "B", "\tJSR\t@fee_prog:24\n"},
    {38, "ClockStart", " ", "\tJSR\t@fClockStart:24\n"},
    {39, "ClockStop", " ", "\tJSR\t@fClockStop:24\n"},
    {40, "InitVolt", " ", "\tJSR\t@fInitVolt:24\n"},
    {41, "time_set", "WABw", "\tJSR\t@ftime_set:24\n"},
    {42, "time_get", "WAB", "\tJSR\t@ftime_get:24\n"},
    {43, "time_cmp", "WAA", "\tJSR\t@ftime_cmp:24\n"},
    {44, "time_update", "WAb", "\tJSR\t@ftime_update:24\n"},
    {45, "time_rstcarry", " A", "\tJSR\t@ftime_rstcarry:24\n"},
    {46, "memcpy", " AAW", "\tJSR\t@fmemcpy:24\n"},
};

const Builtin* builtin_by_number(int number) {
  for (const Builtin& b : kBuiltins)
    if (b.number == number) return &b;
  return nullptr;
}

}  // namespace corvel::codegen
