The file ends inside a function body.
[CODE]
BYTE x;
main()
{
    x = 1;
