_main:
	MOV.W	#H'12,R2
	JSR	@_work
	RTS
