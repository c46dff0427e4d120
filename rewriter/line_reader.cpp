#include "line_reader.hpp"

#include <algorithm>
#include <cstring>

namespace trimmel {

namespace {

constexpr size_t kBlockSize = 1 << 16;

}  // namespace

LineReader::LineReader(std::FILE* in) : in_(in), buffer_(kBlockSize) {}

// Keeps the unread bytes and fills the rest of the block behind them.
void LineReader::refill() {
  std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
  end_ -= begin_;
  begin_ = 0;
  size_t wanted = buffer_.size() - end_;
  size_t got = std::fread(buffer_.data() + end_, 1, wanted, in_);
  end_ += got;
  if (got < wanted) at_end_ = true;
}

// One byte more than a piece must be at hand to tell whether a full piece
// is followed by more of the file.
bool LineReader::next(std::string_view& piece, bool& continues) {
  if (end_ - begin_ <= static_cast<size_t>(kPieceSize) && !at_end_) refill();
  size_t limit = std::min(end_ - begin_, static_cast<size_t>(kPieceSize));
  if (limit == 0) return false;
  const char* start = buffer_.data() + begin_;
  const void* line_feed = std::memchr(start, '\n', limit);
  size_t size = line_feed ? static_cast<const char*>(line_feed) - start + 1 : limit;
  piece = {start, size};
  begin_ += size;
  continues = !line_feed && size == static_cast<size_t>(kPieceSize) && begin_ < end_;
  return true;
}

LineWriter::LineWriter(std::FILE* out) : out_(out), buffer_(kBlockSize) {}

void LineWriter::drain() {
  if (used_ > 0 && std::fwrite(buffer_.data(), 1, used_, out_) != used_) failed_ = true;
  used_ = 0;
}

void LineWriter::write(std::string_view text) {
  if (used_ + text.size() > buffer_.size()) drain();
  std::memcpy(buffer_.data() + used_, text.data(), text.size());
  used_ += text.size();
}

bool LineWriter::finish() {
  drain();
  return std::fflush(out_) == 0 && !std::ferror(out_) && !failed_;
}

}  // namespace trimmel
