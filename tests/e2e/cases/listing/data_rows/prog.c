A data area that fills two rows.
[CODE]
BYTE msg[] = "Hello, world";
WORD tab[4] = {1, 2, 0xFFFF};
BYTE pad[9];
main()
{
}
