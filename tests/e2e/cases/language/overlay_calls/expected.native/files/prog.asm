;assembler source for TAMBER Version 3.51

	.CPU	300HA
MEMORYTOP	.EQU	H'FEF10

	.INCLUDE "H8FUNC.H"

;BYTE x;

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
_x:
	.DATA.B	0
;main()


	.ALIGN	2

_main:
update_0_67:
	MOV.L	#_first:32,ER2
	JSR	@fOverlay
;M_CHAR/M_INT line=747
	MOV.W	#H'1,R0
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_x
update_0_77:
	MOV.L	#_second:32,ER2
	JSR	@fOverlay
	RTS
;#frame


frame_0:
;first()


_first:
update_1_81:
	MOV.L	#_second:32,ER2
	JSR	@fOverlay
LBL0_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL0_E:16
;M_CHAR/M_INT line=747
	MOV.W	#H'0,R0
	PUSH.W	R0
;S_BYTE line=2535
	POP.W	R0
	MOV.B	R0L,@_x
	BRA	LBL0_T:16	;(while goto-top)
LBL0_E:	;(while end)
	RTS
;#frame


frame_1:
;second()


_second:
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL66_ELSE:16	;(if goto-else)
update_2_109:
	MOV.L	#_first:32,ER2
	JSR	@fOverlay
	BRA	LBL66_E:16	;(if end)
LBL66_ELSE	;(else)
LBL66_E:	;(if end)
	RTS
	.END
