// The code image: the bytes of the compiled program with its byte counter,
// and the tables that describe it (frames, functions, where the code starts).
// The compiler lays it; the output files read it; the import builds one.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ground/limits.hpp"

namespace corvel::ground {

struct Frame {
  long start = 0;
  long size = 0;
};

struct Function {
  std::string name;
  long address = 0;
};

struct Image {
  // An image starts all zero. A compilation's is left as it comes: its
  // passes set the header and lay every byte up to the counter, and zeroing
  // 30 KB would cost more than compiling a small program.
  struct Unset {};
  Image() : bytes() {}
  explicit Image(Unset) {}

  std::array<std::uint8_t, kImageCapacity> bytes;
  int size = 0;  // the byte counter: where the next byte is laid
  int code_start = 0;
  std::array<Frame, kMaxFrames> frames{};
  int frame_count = 0;  // 0 without #frame, else the base part and the overlay frames
  std::vector<Function> functions;

  // Lays a byte at the byte counter. Bytes past the capacity are dropped; the
  // counter still advances so the size checks see it. Inline: every byte of
  // the program passes here twice.
  void lay(int byte) {
    if (size >= 0 && size < kImageCapacity) bytes[size] = static_cast<std::uint8_t>(byte);
    ++size;
  }
  // A 16-bit word, high byte first.
  void lay_word(long value) {
    lay(static_cast<int>((value >> 8) & 0xFF));
    lay(static_cast<int>(value & 0xFF));
  }
  void put_word(long offset, long value);
  // The byte at an offset, or 0 outside the image.
  int at(long offset) const;

  // Frame number × 4096 + place in the overlay area for code in an overlay
  // frame; the offset itself in frame 0.
  long runtime_address(long offset) const;
  // Frame number × 1048576 + place for overlay frames; the address itself in
  // frame 0 or outside every frame.
  long image_address(long address) const;
};

}  // namespace corvel::ground
