Several items on one line, and comments between items.
[CODE]
// settings
BYTE a; BYTE b = 2; // 100% sure
/* a block
   comment */ WORD w;
one() { a = 1; } two() { b = a; }
main()
{
    one(); two();
}
