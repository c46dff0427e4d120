The smallest program with one variable.
[CODE]
BYTE x;
main() { x = 5; }
