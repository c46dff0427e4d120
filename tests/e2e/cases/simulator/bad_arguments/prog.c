No ROM file, a missing board file, a malformed replies file.
[CODE]
main() { }
