notes
[code] anything here is ignored
