;assembler source for TAMBER Version 3.51

	.CPU	300HA
MEMORYTOP	.EQU	H'FEF10

	.INCLUDE "H8FUNC.H"


_main:
	RTS
	.END
