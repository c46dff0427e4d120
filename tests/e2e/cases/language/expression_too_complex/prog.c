Nineteen postfix items pass, twenty fail.
[CODE]
BYTE a, x;
main()
{
    x = a+a+a+a+a+a+a+a+a+a;
    x = !a+a+a+a+a+a+a+a+a+a;
}
