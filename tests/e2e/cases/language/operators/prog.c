Every operator, precedence and parentheses, and every operand kind in expressions.
[CODE]
#port KEYS "5,6"
#define LIMIT 300
WORD w = 1000, r;
BYTE a = 12, b = 5;
main()
{
    r = a + b;
    r = w - a;
    r = w / b;
    r = a * b;
    r = w % 7;
    r = ~a;
    r = !b;
    r = a != b;
    r = a >= b;
    r = a > b;
    r = a <= b;
    r = a < b;
    r = a == b;
    r = a << 2;
    r = w >> 1;
    r = a && b;
    r = a & 15;
    r = a || b;
    r = a | 256;
    r = (a + b) * 2 - w / (b - 1);
    r = a << 1 + 2;
    r = !a * b;
    r = a && b & a || b;
    r = KEYS15 + #P30 + KEYS;
    r = #2 | KEYS.dir;
    r = 'A' + 0x10 + 65535 + LIMIT;
}
