[CODE]
BYTE a, b, c;
