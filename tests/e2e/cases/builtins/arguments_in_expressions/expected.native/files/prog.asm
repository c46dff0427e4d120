;assembler source for TAMBER Version 3.51

	.CPU	300HA
MEMORYTOP	.EQU	H'FEF10

	.INCLUDE "H8FUNC.H"

;#port IO "P30"

	.ORG	MEMORYTOP+0
	.DATA.B	0,0,255,255
	.DATA.B	16,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255
;WORD w;

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
_w:
	.DATA.W	0
;BYTE x, buf[4];

_x:
	.DATA.B	0
_buf:
	.RES.B	4
;main()


	.ALIGN	2

_main:
;S_BYTE line=853
	MOV.B	@_x,R2L
	XOR.B	R2H,R2H
;S_WORD line=866
	MOV.W	@_w,R3
	JSR	@fee_read:24
;function return line=948
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_x
;S_WORD line=866
	MOV.B	#H'A6,R0L
	JSR	@fGetData:24
	MOV.W	R0,R2
;M_CHAR/M_INT line=829
	MOV.W	#H'12C,R3
	JSR	@fmgetw:24
;function return line=948
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_w
;S_WORD line=866
	MOV.B	#H'A6,R0L
	JSR	@fGetData:24
	MOV.W	R0,R2
;S_WORD line=866
	MOV.W	#_w,R3
;S_WORD line=866
	MOV.W	#_w,R4
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_buf,R5
;S_WORD line=866
	MOV.W	#_w,E2
	JSR	@fDataReq:24
;function return line=948
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_w
;ID_ARRAY/ID_ARRAYW line=894
	MOV.W	#_buf,R2
;S_BYTE line=853
	MOV.B	@_x,R3L
	XOR.B	R3H,R3H
	JSR	@fmget:24
;function return line=948
	PUSH.W	R0
;M_CHAR/M_INT line=829
	MOV.W	#H'5,R2
;M_CHAR/M_INT line=931
	MOV.W	#H'0,R3
	JSR	@fee_read:24
;function return line=948
	PUSH.W	R0
	POP.W	R0
	POP.W	R1
	ADD.W	R1,R0
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_x
;S_WORD line=866
	MOV.W	@_w,R2
	JSR	@fSetClock:24
;function return line=948
	PUSH.W	R0
;M_CHAR/M_INT line=747
	MOV.W	#H'2,R0
	PUSH.W	R0
	POP.W	R0
	POP.W	R1
	MULXU.W	R1,ER0
	PUSH.W	R0
;S_WORD line=2549
	POP.W	R0
	MOV.W	R0,@_w
	RTS
	.END
