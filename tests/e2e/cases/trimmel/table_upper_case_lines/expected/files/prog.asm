	SUB.W	R0,R0	; keep
	MOV.W	R0,@_flag
	RTS
