A frame mark before any function: main lies in the first overlay frame.
[CODE]
BYTE x;
#frame
main()
{
    x = 1;
}
