A top-level item that starts with an unreadable character.
[CODE]
BYTE x;
$x = 1;
main() {}
