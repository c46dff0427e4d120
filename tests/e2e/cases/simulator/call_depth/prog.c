A function that calls itself without end stops at the call-depth limit.
[CODE]
f()
{
    f();
}
main()
{
    f();
}
