The listing option in upper case.
[CODE]
WORD w;
main() { w = 300; }
