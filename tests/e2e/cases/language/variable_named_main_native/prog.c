main cannot name a variable in native output.
[CODE]
BYTE main;
