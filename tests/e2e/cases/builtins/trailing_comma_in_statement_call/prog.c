A comma before the closing parenthesis of a statement call.
[CODE]
WORD w, tab[2];
BYTE x, buf[4];
main()
{
    x = ee_read(16,);
    ee_read(16,);
}
