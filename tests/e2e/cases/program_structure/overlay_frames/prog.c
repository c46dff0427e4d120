[CODE]
BYTE x;
main() {}
#frame
part1() {}
#frame
part2() {}
