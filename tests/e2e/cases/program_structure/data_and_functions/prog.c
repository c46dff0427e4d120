Ports, data and functions.
[CODE]
#port LEDS "P10,2,pa3"
#define LIMIT 300
BYTE count = 5, flags;
WORD limit = LIMIT;
BYTE name[] = "OK!";
WORD table[3] = {1, 0x1234};
BYTE spare[2];
init() {}
main() {}
