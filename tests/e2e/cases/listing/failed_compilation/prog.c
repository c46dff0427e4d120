A failed compilation prints no listing.
[CODE]
BYTE x;
main() { x = y; }
