A fourth port fails after its line was dropped; the report still shows that line.
[CODE]
#port A "1"
#port B "2"
#port C "3"
#port D "4"
main() {}
