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
LBL0_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL0_E:16
	BRA	LBL0_T:16	;(while goto-top)
LBL0_E:	;(while end)
LBL1_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1_E:16
	BRA	LBL1_T:16	;(while goto-top)
LBL1_E:	;(while end)
LBL2_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2_E:16
	BRA	LBL2_T:16	;(while goto-top)
LBL2_E:	;(while end)
LBL3_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3_E:16
	BRA	LBL3_T:16	;(while goto-top)
LBL3_E:	;(while end)
LBL4_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL4_E:16
	BRA	LBL4_T:16	;(while goto-top)
LBL4_E:	;(while end)
LBL5_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL5_E:16
	BRA	LBL5_T:16	;(while goto-top)
LBL5_E:	;(while end)
LBL6_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL6_E:16
	BRA	LBL6_T:16	;(while goto-top)
LBL6_E:	;(while end)
LBL7_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL7_E:16
	BRA	LBL7_T:16	;(while goto-top)
LBL7_E:	;(while end)
LBL8_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL8_E:16
	BRA	LBL8_T:16	;(while goto-top)
LBL8_E:	;(while end)
LBL9_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL9_E:16
	BRA	LBL9_T:16	;(while goto-top)
LBL9_E:	;(while end)
LBLA_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLA_E:16
	BRA	LBLA_T:16	;(while goto-top)
LBLA_E:	;(while end)
LBLB_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLB_E:16
	BRA	LBLB_T:16	;(while goto-top)
LBLB_E:	;(while end)
LBLC_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLC_E:16
	BRA	LBLC_T:16	;(while goto-top)
LBLC_E:	;(while end)
LBLD_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLD_E:16
	BRA	LBLD_T:16	;(while goto-top)
LBLD_E:	;(while end)
LBLE_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLE_E:16
	BRA	LBLE_T:16	;(while goto-top)
LBLE_E:	;(while end)
LBLF_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBLF_E:16
	BRA	LBLF_T:16	;(while goto-top)
LBLF_E:	;(while end)
LBL10_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL10_E:16
	BRA	LBL10_T:16	;(while goto-top)
LBL10_E:	;(while end)
LBL11_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL11_E:16
	BRA	LBL11_T:16	;(while goto-top)
LBL11_E:	;(while end)
LBL12_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL12_E:16
	BRA	LBL12_T:16	;(while goto-top)
LBL12_E:	;(while end)
LBL13_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL13_E:16
	BRA	LBL13_T:16	;(while goto-top)
LBL13_E:	;(while end)
LBL14_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL14_E:16
	BRA	LBL14_T:16	;(while goto-top)
LBL14_E:	;(while end)
LBL15_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL15_E:16
	BRA	LBL15_T:16	;(while goto-top)
LBL15_E:	;(while end)
LBL16_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL16_E:16
	BRA	LBL16_T:16	;(while goto-top)
LBL16_E:	;(while end)
LBL17_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL17_E:16
	BRA	LBL17_T:16	;(while goto-top)
LBL17_E:	;(while end)
LBL18_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL18_E:16
	BRA	LBL18_T:16	;(while goto-top)
LBL18_E:	;(while end)
LBL19_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL19_E:16
	BRA	LBL19_T:16	;(while goto-top)
LBL19_E:	;(while end)
LBL1A_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1A_E:16
	BRA	LBL1A_T:16	;(while goto-top)
LBL1A_E:	;(while end)
LBL1B_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1B_E:16
	BRA	LBL1B_T:16	;(while goto-top)
LBL1B_E:	;(while end)
LBL1C_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1C_E:16
	BRA	LBL1C_T:16	;(while goto-top)
LBL1C_E:	;(while end)
LBL1D_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1D_E:16
	BRA	LBL1D_T:16	;(while goto-top)
LBL1D_E:	;(while end)
LBL1E_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1E_E:16
	BRA	LBL1E_T:16	;(while goto-top)
LBL1E_E:	;(while end)
LBL1F_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL1F_E:16
	BRA	LBL1F_T:16	;(while goto-top)
LBL1F_E:	;(while end)
LBL20_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL20_E:16
	BRA	LBL20_T:16	;(while goto-top)
LBL20_E:	;(while end)
LBL21_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL21_E:16
	BRA	LBL21_T:16	;(while goto-top)
LBL21_E:	;(while end)
LBL22_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL22_E:16
	BRA	LBL22_T:16	;(while goto-top)
LBL22_E:	;(while end)
LBL23_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL23_E:16
	BRA	LBL23_T:16	;(while goto-top)
LBL23_E:	;(while end)
LBL24_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL24_E:16
	BRA	LBL24_T:16	;(while goto-top)
LBL24_E:	;(while end)
LBL25_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL25_E:16
	BRA	LBL25_T:16	;(while goto-top)
LBL25_E:	;(while end)
LBL26_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL26_E:16
	BRA	LBL26_T:16	;(while goto-top)
LBL26_E:	;(while end)
LBL27_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL27_E:16
	BRA	LBL27_T:16	;(while goto-top)
LBL27_E:	;(while end)
LBL28_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL28_E:16
	BRA	LBL28_T:16	;(while goto-top)
LBL28_E:	;(while end)
LBL29_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL29_E:16
	BRA	LBL29_T:16	;(while goto-top)
LBL29_E:	;(while end)
LBL2A_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2A_E:16
	BRA	LBL2A_T:16	;(while goto-top)
LBL2A_E:	;(while end)
LBL2B_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2B_E:16
	BRA	LBL2B_T:16	;(while goto-top)
LBL2B_E:	;(while end)
LBL2C_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2C_E:16
	BRA	LBL2C_T:16	;(while goto-top)
LBL2C_E:	;(while end)
LBL2D_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2D_E:16
	BRA	LBL2D_T:16	;(while goto-top)
LBL2D_E:	;(while end)
LBL2E_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2E_E:16
	BRA	LBL2E_T:16	;(while goto-top)
LBL2E_E:	;(while end)
LBL2F_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL2F_E:16
	BRA	LBL2F_T:16	;(while goto-top)
LBL2F_E:	;(while end)
LBL30_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL30_E:16
	BRA	LBL30_T:16	;(while goto-top)
LBL30_E:	;(while end)
LBL31_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL31_E:16
	BRA	LBL31_T:16	;(while goto-top)
LBL31_E:	;(while end)
LBL32_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL32_E:16
	BRA	LBL32_T:16	;(while goto-top)
LBL32_E:	;(while end)
LBL33_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL33_E:16
	BRA	LBL33_T:16	;(while goto-top)
LBL33_E:	;(while end)
LBL34_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL34_E:16
	BRA	LBL34_T:16	;(while goto-top)
LBL34_E:	;(while end)
LBL35_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL35_E:16
	BRA	LBL35_T:16	;(while goto-top)
LBL35_E:	;(while end)
LBL36_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL36_E:16
	BRA	LBL36_T:16	;(while goto-top)
LBL36_E:	;(while end)
LBL37_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL37_E:16
	BRA	LBL37_T:16	;(while goto-top)
LBL37_E:	;(while end)
LBL38_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL38_E:16
	BRA	LBL38_T:16	;(while goto-top)
LBL38_E:	;(while end)
LBL39_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL39_E:16
	BRA	LBL39_T:16	;(while goto-top)
LBL39_E:	;(while end)
LBL3A_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3A_E:16
	BRA	LBL3A_T:16	;(while goto-top)
LBL3A_E:	;(while end)
LBL3B_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3B_E:16
	BRA	LBL3B_T:16	;(while goto-top)
LBL3B_E:	;(while end)
LBL3C_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3C_E:16
	BRA	LBL3C_T:16	;(while goto-top)
LBL3C_E:	;(while end)
LBL3D_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3D_E:16
	BRA	LBL3D_T:16	;(while goto-top)
LBL3D_E:	;(while end)
LBL3E_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3E_E:16
	BRA	LBL3E_T:16	;(while goto-top)
LBL3E_E:	;(while end)
LBL3F_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL3F_E:16
	BRA	LBL3F_T:16	;(while goto-top)
LBL3F_E:	;(while end)
LBL40_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL40_E:16
	BRA	LBL40_T:16	;(while goto-top)
LBL40_E:	;(while end)
LBL41_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL41_E:16
	BRA	LBL41_T:16	;(while goto-top)
LBL41_E:	;(while end)
LBL10042_T:	;(while top)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BEQ	LBL10042_E:16
	BRA	LBL10042_T:16	;(continue)
	BRA	LBL10042_T:16	;(while goto-top)
LBL10042_E:	;(while end)
LBL10043_T:	;(do top)
	BRA	LBL10043_E:16	;(break)
	MOV.B	@_x,R0L
	XOR.B	R0H,R0H
	PUSH.W	R0
	POP.W	R0
	AND.W	R0,R0
	BNE	LBL10043_T:16	;(do goto-top)
LBL10043_E:	;(do end)
	RTS
	.END
