#include "ground/text_buffer.hpp"

#include <algorithm>
#include <cstring>

namespace corvel::ground {

void TextBuffer::next_block(size_t n) {
  constexpr size_t kBlock = 64 * 1024;
  if (!blocks_.empty()) {
    sizes_.push_back(used_);
    written_ += used_;
  }
  capacity_ = std::max(kBlock, n);
  blocks_.push_back(std::make_unique_for_overwrite<char[]>(capacity_));
  block_ = blocks_.back().get();
  used_ = 0;
}

bool TextBuffer::write_to(std::FILE* file) const {
  for (size_t i = 0; i < blocks_.size(); ++i) {
    size_t n = i < sizes_.size() ? sizes_[i] : used_;
    if (std::fwrite(blocks_[i].get(), 1, n, file) != n) return false;
  }
  return true;
}

}  // namespace corvel::ground
