A loop without end stops at the step limit.
[CODE]
main()
{
    while (1) { }
}
