#include "ground/image.hpp"

namespace corvel::ground {

namespace {

// Lowest frame below the frame count that holds `a`; the frame count when none.
int frame_of(const Image& image, long a) {
  int i = 0;
  while (i < image.frame_count && i < kMaxFrames && a >= image.frames[i].start + image.frames[i].size) ++i;
  return i;
}

void put_byte(Image& image, long offset, int byte) {
  if (offset >= 0 && offset < kImageCapacity) image.bytes[offset] = static_cast<std::uint8_t>(byte);
}

}  // namespace

void Image::put_word(long offset, long value) {
  put_byte(*this, offset, static_cast<int>((value >> 8) & 0xFF));
  put_byte(*this, offset + 1, static_cast<int>(value & 0xFF));
}

int Image::at(long offset) const {
  if (offset < 0 || offset >= kImageCapacity) return 0;
  return bytes[offset];
}

long Image::runtime_address(long offset) const {
  int i = frame_of(*this, offset);
  if (i == 0 || i >= frame_count) return offset;
  return i * 4096L + (offset - frames[i].start) + frames[0].size;
}

long Image::image_address(long address) const {
  int i = frame_of(*this, address);
  if (i == 0 || i >= frame_count) return address;
  return (static_cast<long>(i) << 20) + (address - frames[i].start) + frames[1].start;
}

}  // namespace corvel::ground
