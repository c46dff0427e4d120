Blank check, program and verify a 256-byte parallel EPROM.
Everything above the marker line is free text; the program follows it.
[CODE]
#port DATA "1,2,3,4,5,6,7,8"
#port ADDR "9,10,11,12,13,14,15,16"

#define SIZE 256
#define RETRIES 25

WORD address;
BYTE value, want, slot, tries, errors;
BYTE pattern[] = { 0x55, 0xAA, 0x00, 0xFF };

/* Power the socket: Vcc first, then the programming voltage. */
power_up()
{
    InitIo();
    VccVolt(6.25);
    Wait(0, 10);
    VppVolt(12.5);
    Wait(0, 10);
}

power_down()
{
    VppVolt(0);
    Wait(0, 5);
    VccVolt(0);
}

/* Read the byte at `address` into `value`. */
read_byte()
{
    ADDR = address;
    #17 = 0;            // /CE
    #18 = 0;            // /OE
    value = DATA;
    #18 = 1;
    #17 = 1;
}

/* Program `want` at `address`, pulsing /PGM until it reads back. */
program_byte()
{
    tries = 0;
    do {
        DATA.dir = 0;
        ADDR = address;
        DATA = want;
        #17 = 0;
        Pulse(#19);
        #17 = 1;
        DATA.dir = 65535;
        read_byte();
        Inc(tries);
        if (value == want) break;
    } while (tries < RETRIES);
    if (value != want) errors = errors + 1;
}

main()
{
    errors = 0;
    power_up();
    StartMsg();
    SendMsg("blank check");
    address = 0;
    while (address < SIZE) {
        read_byte();
        if (value != 0xFF) goto not_blank;
        address = address + 1;
    }
    SendMsg("programming");
    address = 0;
    while (address < SIZE) {
        slot = address & 3;
        want = pattern[slot];
        program_byte();
        address = address + 1;
    }
    SendMsg("errors:");
    SendNum2Str(errors, 10);
    EndMsg();
    power_down();
    exit(errors);
not_blank:
    SendMsg("device is not blank at");
    SendWord(address);
    EndMsg();
    power_down();
    exit(1);
}
