notes
[CODE]