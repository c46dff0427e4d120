// Reading and writing text files as bytes, a block at a time. Lines are
// handed out in pieces of at most 255 bytes: a piece ends after a line feed
// or when it is full. Nothing is translated; a 0 byte is an ordinary byte.
#pragma once

#include <cstdio>
#include <string_view>
#include <vector>

namespace trimmel {

inline constexpr int kPieceSize = 255;

class LineReader {
 public:
  explicit LineReader(std::FILE* in);

  // The next piece, valid until the next call. False at the end of the file
  // (or on a read error, which failed() tells). continues is set when the
  // piece is full and the same line goes on in the next piece.
  bool next(std::string_view& piece, bool& continues);
  bool failed() const { return std::ferror(in_) != 0; }

 private:
  void refill();

  std::FILE* in_;
  std::vector<char> buffer_;
  size_t begin_ = 0;  // the unread bytes are [begin_, end_)
  size_t end_ = 0;
  bool at_end_ = false;
};

class LineWriter {
 public:
  explicit LineWriter(std::FILE* out);

  void write(std::string_view text);
  // Passes on what is left and flushes the file; false if any write failed.
  bool finish();

 private:
  void drain();

  std::FILE* out_;
  std::vector<char> buffer_;
  size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace trimmel
