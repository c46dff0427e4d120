// The code image: laying bytes at the byte counter, and the two rules that
// turn a code offset into an address across overlay frames.
#pragma once

namespace corvel::driver {

// Lays one byte at the byte counter and advances it. Bytes past the image's
// capacity are dropped; the counter still advances so the size checks see it.
void lay(int byte);
// Lays a 16-bit word, high byte first.
void lay_word(long value);
// Writes a 16-bit word, high byte first, at an offset laid earlier.
void put_word(long offset, long value);
// The byte at an offset, or 0 outside the image.
int image_at(long offset);

// Run-time address of a code offset: the offset itself in pass 1 and in frame
// 0; frame number × 4096 + place in the overlay area for overlay frames.
long runtime_address(long offset);
// Image address of an address: frame number × 1048576 + place for overlay
// frames, the address itself in frame 0 or outside every frame.
long image_address(long address);

}  // namespace corvel::driver
