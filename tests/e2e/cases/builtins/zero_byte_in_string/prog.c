In byte code a string ends at its first 0 byte: a \0 inside one is refused. Native code keeps it.
[CODE]
main()
{
    Message("two\0parts");
}
