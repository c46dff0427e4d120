Assembly lines passed through unchanged.
[CODE]
BYTE x;
main()
{
    x = 1;
#asm   this rest is dropped
    NOP
	MOV.B	R0L,@H'10	; 100% raw
#endasm and this too
    x = 2;
}
