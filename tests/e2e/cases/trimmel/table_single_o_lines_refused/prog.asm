_main:
	MOV.W	#H'12,R0
	PUSH.W	R0
	JSR	@_work
	RTS
