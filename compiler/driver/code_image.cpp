#include "driver/code_image.hpp"

#include "driver/state.hpp"

namespace corvel::driver {

namespace {

// Lowest frame below the frame count that holds `a`; frame_count when none.
int frame_of(long a) {
  int i = 0;
  while (i < g.frame_count && i < kMaxFrames && a >= g.frames[i].start + g.frames[i].size) ++i;
  return i;
}

void put_byte(long offset, int byte) {
  if (offset >= 0 && offset < kImageCapacity) g.image[offset] = static_cast<std::uint8_t>(byte);
}

}  // namespace

void lay(int byte) {
  put_byte(g.byte_counter, byte);
  ++g.byte_counter;
}

void lay_word(long value) {
  lay(static_cast<int>((value >> 8) & 0xFF));
  lay(static_cast<int>(value & 0xFF));
}

void put_word(long offset, long value) {
  put_byte(offset, static_cast<int>((value >> 8) & 0xFF));
  put_byte(offset + 1, static_cast<int>(value & 0xFF));
}

int image_at(long offset) {
  if (offset < 0 || offset >= kImageCapacity) return 0;
  return g.image[offset];
}

long runtime_address(long offset) {
  if (g.pass == 1) return offset;
  int i = frame_of(offset);
  if (i == 0 || i >= g.frame_count) return offset;
  return i * 4096L + (offset - g.frames[i].start) + g.frames[0].size;
}

long image_address(long address) {
  int i = frame_of(address);
  if (i == 0 || i >= g.frame_count) return address;
  return (static_cast<long>(i) << 20) + (address - g.frames[i].start) + g.frames[1].start;
}

}  // namespace corvel::driver
