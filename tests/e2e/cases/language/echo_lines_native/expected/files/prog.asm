;assembler source for TAMBER Version 3.51

	.CPU	300HA
MEMORYTOP	.EQU	H'FEF10

	.INCLUDE "H8FUNC.H"

;BYTE a; BYTE b = 2; // 100% sure

	.ORG	MEMORYTOP+0
	.DATA.B	0,0,255,255
	.DATA.B	255,255,255,255,255,255,255,255,255,255,255,255,255,255,255,255
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
_a:
	.DATA.B	0
;BYTE a; BYTE b = 2; // 100% sure

_b:
	.DATA.B	2
;   comment */ WORD w;

_w:
	.DATA.W	0
;one() { a = 1; } two() { b = a; }


	.ALIGN	2

_one:
;M_CHAR/M_INT line=747
	MOV.W	#H'1,R0
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_a
	RTS
;one() { a = 1; } two() { b = a; }


_two:
	MOV.B	@_a,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_b
	RTS
;main()


_main:
	JSR	@_one
	JSR	@_two
	RTS
	.END
