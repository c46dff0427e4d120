a board test
[CODE]
BYTE a;
BYTE a;
