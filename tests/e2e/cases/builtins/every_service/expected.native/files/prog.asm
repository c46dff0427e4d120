;assembler source for TAMBER Version 3.51

	.CPU	300HA
MEMORYTOP	.EQU	H'FEF10

	.INCLUDE "H8FUNC.H"

;#port LEDS "1,2,3,4"

	.ORG	MEMORYTOP+0
	.DATA.B	0,0,255,255
	.DATA.B	0,1,2,3,255,255,255,255,255,255,255,255,255,255,255,255
;WORD t, cnt, len;

	.ORG	MEMORYTOP+20
	.DATA.B	0,0,255,255
	.DATA.B	255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255
	.ORG	MEMORYTOP+40
	.DATA.B	0,0,255,255
	.DATA.B	255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255
	.ORG	MEMORYTOP+60
	.DATA.B	H'01	;compile mode
	.DATA.B	H'00	;Board Number(0-2)
	JMP	@_main:24
	.ORG	MEMORYTOP+66
_t:
	.DATA.W	0
_cnt:
	.DATA.W	0
_len:
	.DATA.W	0
;BYTE st, ch = 'A';

_st:
	.DATA.B	0
_ch:
	.DATA.B	65
;BYTE buf[8];

_buf:
	.RES.B	8
;BYTE tm[6], tm2[6];

_tm:
	.RES.B	6
_tm2:
	.RES.B	6
;main()

;STRING line=2321
MSG_1:
	.SDATA	"Hello"
	.DATA.B	0
;STRING line=2321
MSG_2:
	.SDATA	"Done"
	.DATA.B	10
	.DATA.B	0

	.ALIGN	2

_main:
	JSR	@fInitIo:24
	JSR	@fInitVolt:24
;S_WORD line=2094
	MOV.B	#H'A6,R2L
	JSR	@fClear:24
;S_BOOL line=2049
	MOV.B	#H'0,R2L
	JSR	@fPulse:24
	MOV.B	#H'10,R2L
	JSR	@fPulse:24
;S_BYTE line=2062
;変数へのPulse()は無意味なのでコードを出力しない
;S_WORD line=2094
	MOV.W	@_cnt,R2
	INC.W	#1,R2
	MOV.W	R2,@_cnt
;S_BYTE line=2062
	MOV.B	@_st,R2L
	INC.B	R2L
	MOV.B	R2L,@_st
;S_BOOL line=2049
	MOV.B	#H'1,R2L
	JSR	@fInc:24
;S_WORD line=2094
	MOV.W	@_cnt,R2
	DEC.W	#1,R2
	MOV.W	R2,@_cnt
;S_BYTE line=2062
	MOV.B	@_st,R2L
	DEC.B	R2L
	MOV.B	R2L,@_st
	MOV.B	#H'12,R2L
	JSR	@fDec:24
;S_WORD line=2094
	XOR.W	R0,R0
	MOV.W	R0,@_cnt
;S_BYTE line=2062
	XOR.B	R0L,R0L
	MOV.B	R0L,@_st
;M_CHAR/M_INT line=2205
	MOV.W	#H'7D,R2
	JSR	@fVppVolt:24
;M_CHAR/M_INT line=2205
	MOV.W	#H'32,R2
	JSR	@fVccVolt:24
;M_CHAR/M_INT line=2205
	MOV.W	#H'0,R2
	JSR	@fVppVolt:24
;S_BYTE line=2229
	MOV.B	@_st,R2L
	XOR.B	R2H,R2H
	JSR	@fVccVolt:24
;M_CHAR/M_INT line=2182
	MOV.W	#H'64,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'2,R3
	JSR	@fSetTimer:24
;M_CHAR/M_INT line=2182
	MOV.W	#H'64,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'0,R3
	JSR	@fWait:24
	JSR	@fGetTimer:24
;function return line=948
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_t
	JSR	@fWaitExecEvent:24
;M_CHAR/M_INT line=2182
	MOV.W	#H'0,R2
	JSR	@fSetClock:24
	JSR	@fClockStart:24
	JSR	@fGetClock:24
;function return line=948
	PUSH.W	R0
;M_CHAR/M_INT line=747
	MOV.W	#H'1,R0
	PUSH.W	R0
	POP.W	R0
	POP.W	R1
	ADD.W	R1,R0
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_t
	JSR	@fClockStop:24
	JSR	@_serial
	JSR	@_memory
	JSR	@_clock
;S_WORD line=866
	MOV.W	@_cnt,R2
;S_WORD line=866
	MOV.W	#_t,R3
;S_WORD line=866
	MOV.W	#_len,R4
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_buf,R5
;S_WORD line=866
	MOV.W	#_cnt,E2
	JSR	@fDataReq:24
;function return line=948
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_cnt
	JSR	@fRecByte:24
;function return line=948
	PUSH.W	R0
;M_CHAR/M_INT line=747
	MOV.W	#H'1B,R0
	PUSH.W	R0
	POP.W	R0
	POP.W	R1
	JSR	@H8_M_CMP:24
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLEB_ELSE:16	;(if goto-else)
;M_CHAR/M_INT line=2182
	MOV.W	#H'1,R2
	JMP	@USERRET:24
	BRA	LBLEB_E:16	;(if end)
LBLEB_ELSE	;(else)
LBLEB_E:	;(if end)
	RTS
;serial()


_serial:
	JSR	@fStartMsg:24
;STRING line=2326
	MOV.L	#MSG_1:32,ER2
	JSR	@fSendMsg:24
;S_BYTE line=2229
	MOV.B	@_ch,R2L
	XOR.B	R2H,R2H
	JSR	@fSendByte:24
;S_WORD line=2242
	MOV.W	@_t,R2
	JSR	@fSendWord:24
;M_CHAR/M_INT line=2182
	MOV.W	#H'3F,R2
	JSR	@fSendHex:24
;M_CHAR/M_INT line=2182
	MOV.W	#H'3E8,R2
	JSR	@fSendCode:24
;S_WORD line=2242
	MOV.B	#H'A6,R0L
	JSR	@fGetData:24
	MOV.W	R0,R2
;S_WORD line=2242
	MOV.W	@_t,R3
	JSR	@fSendNum2Str:24
	JSR	@fEndMsg:24
;STRING line=2326
	MOV.L	#MSG_2:32,ER2
	JSR	@fMessage:24
	JSR	@fNwRecByte:24
;function return line=948
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_st
;S_WORD line=2242
	MOV.W	@_cnt,R2
;S_WORD line=2242
	MOV.W	#_t,R3
;S_WORD line=2242
	MOV.W	#_len,R4
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_buf,R5
;S_WORD line=2242
	MOV.W	#_cnt,E2
	JSR	@fDataReq:24
	RTS
	RTS
;memory()


_memory:
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_buf,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'8,R3
;M_CHAR/M_INT line=2182
	MOV.W	#H'1,R4
	JSR	@fStartDump:24
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_buf,R2
	JSR	@fDataDump:24
	JSR	@fEndDump:24
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_buf,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'0,R3
;M_CHAR/M_INT line=2182
	MOV.W	#H'8,R4
	JSR	@fmset:24
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_buf,R2
;M_CHAR/M_INT line=829
	MOV.W	#H'2,R3
	JSR	@fmget:24
;function return line=948
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_st
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_buf,R2
;M_CHAR/M_INT line=829
	MOV.W	#H'4,R3
	JSR	@fmgetw:24
;function return line=948
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_t
;M_CHAR/M_INT line=2182
	MOV.W	#H'1,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'10,R3
;S_BYTE line=2229
	MOV.B	@_st,R4L
	XOR.B	R4H,R4H
	JSR	@fee_write:24
;M_CHAR/M_INT line=2182
	MOV.W	#H'10,R2
;M_CHAR/M_INT line=2354
	MOV.W	#H'0,R3
	JSR	@fee_read:24
;M_CHAR/M_INT line=829
	MOV.W	#H'10,R2
;M_CHAR/M_INT line=931
	MOV.W	#H'0,R3
	JSR	@fee_read:24
;function return line=948
	PUSH.W	R0
	JSR	@fee_prog:24
;function return line=948
	PUSH.W	R0
	POP.W	R0
	POP.W	R1
	ADD.W	R1,R0
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_st
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm2,R2
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm,R3
;M_CHAR/M_INT line=2182
	MOV.W	#H'6,R4
	JSR	@fmemcpy:24
	RTS
;clock()


_clock:
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'A,R3
;M_CHAR/M_INT line=2354
	MOV.W	#H'0,R4
	JSR	@ftime_set:24
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm2,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'A,R3
;M_CHAR/M_INT line=2182
	MOV.W	#H'5,R4
	JSR	@ftime_set:24
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_tm,R2
;M_CHAR/M_INT line=829
	MOV.W	#H'3,R3
	JSR	@ftime_get:24
;function return line=948
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_t
LBL0_T:	;(while top)
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_tm,R2
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_tm2,R3
	JSR	@ftime_cmp:24
;function return line=948
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL0_E:16
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm,R2
;M_CHAR/M_INT line=2182
	MOV.W	#H'1,R3
	JSR	@ftime_update:24
	BRA	LBL0_T:16	;(while goto-top)
LBL0_E:	;(while end)
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm2,R2
;M_CHAR/M_INT line=2354
	MOV.W	#H'0,R3
	JSR	@ftime_update:24
;ID_ARRAY/ID_ARRAYW line=2273
	MOV.W	#_tm,R2
	JSR	@ftime_rstcarry:24
	RTS
	.END
