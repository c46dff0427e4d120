// A text growing in memory, written whole at the end: the assembly streams
// and the ROM file are built in these.
#pragma once

#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace corvel::ground {

// It grows by blocks, so nothing is copied as it grows.
class TextBuffer {
 public:
  size_t size() const { return written_ + (blocks_.empty() ? 0 : used_); }
  // Room for `n` more bytes at the end; commit() tells where the writing ended.
  char* room(size_t n) {
    if (capacity_ - used_ < n) next_block(n);
    return block_ + used_;
  }
  void commit(const char* end) { used_ = static_cast<size_t>(end - block_); }
  // The end of the room there is now.
  char* limit() const { return block_ + capacity_; }
  // Inline: a literal's length is known where it is written, and so is its copy.
  void append(std::string_view text) {
    std::memcpy(room(text.size()), text.data(), text.size());
    used_ += text.size();
  }
  void push_back(char c) { *room(1) = c, ++used_; }
  void clear() { *this = TextBuffer(); }
  // Writes the text to `file`; false when it was not written whole.
  bool write_to(std::FILE* file) const;

 private:
  void next_block(size_t n);
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* block_ = nullptr;      // the last block
  std::vector<size_t> sizes_;  // of the blocks before the last
  size_t written_ = 0;         // their sum
  size_t used_ = 0;            // of the last block
  size_t capacity_ = 0;        // of the last block
};

// Two upper-case hexadecimal digits at `w`; returns the end.
inline char* put_hex_byte(char* w, unsigned byte) {
  constexpr const char* kDigits = "0123456789ABCDEF";
  w[0] = kDigits[(byte >> 4) & 0xF];
  w[1] = kDigits[byte & 0xF];
  return w + 2;
}

}  // namespace corvel::ground
