Only data, no function.
[CODE]
BYTE a = 1, b = 2;
WORD w = 0x1234;
