BYTE a;
[COD]
