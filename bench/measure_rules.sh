#!/bin/sh
# Measures what the shipped trimmel rules save on corvel's native code.
# Each program is compiled with corvel -a and taken through corvlink (the GNU
# tools for the H8/300H, Debian package binutils-h8300-hms) before and after
# trimmel rewrites it; the code bytes (the image from the first function on)
# are compared.
#
#   bench/measure_rules.sh [build-folder]     (default: build/default)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/default}" && pwd)
bin=$build/bin
road=$root/tests/native_road
rules=$root/rewriter/rules/corvel.rul
for tool in "$bin/corvel" "$bin/trimmel" "$bin/corvlink"; do
  [ -x "$tool" ] || { echo "missing $tool: build the default preset first" >&2; exit 1; }
done
command -v h8300-hms-as >/dev/null || { echo "h8300-hms-as not found (binutils-h8300-hms)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Bytes of the linked image from the lowest function address on.
code_bytes() {
  "$bin/corvlink" "$1.asm" -I "$road" --no-import > /dev/null
  h8300-hms-objcopy -I ihex -O binary "$1.hex" "$1.bin"
  total=$(wc -c < "$1.bin")
  start=$(awk '/^\[Function\]/ { f = 1; next } /^\[/ { f = 0 } f && NF >= 3 { print $3 }' "$1.inf" | sort -n | head -n 1)
  echo $((total - start))
}

printf '%-12s %8s %8s %7s\n' program before after saved
sum_before=0
sum_after=0
for source in "$root/examples/eprom.c" "$road"/programs/*.c; do
  name=$(basename "$source" .c)
  dir=$work/$name
  mkdir -p "$dir"
  cp "$source" "$dir/prog.c"
  cp "$(dirname "$source")/control.dat" "$dir/control.dat"
  (cd "$dir" && "$bin/corvel" prog.c -a > /dev/null)
  before=$(cd "$dir" && code_bytes prog)
  (cd "$dir" && "$bin/trimmel" "$rules" prog.asm prog.bak > /dev/null)
  after=$(cd "$dir" && code_bytes prog)
  printf '%-12s %8d %8d %6d%%\n' "$name" "$before" "$after" $(((before - after) * 100 / before))
  sum_before=$((sum_before + before))
  sum_after=$((sum_after + after))
done
printf '%-12s %8d %8d %6d%%\n' all "$sum_before" "$sum_after" $(((sum_before - sum_after) * 100 / sum_before))
