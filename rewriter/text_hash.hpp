// A hash of a text that can be joined with the hash of the text after it:
// the hash of a + b is hash(a) * scale(b) + hash(b). The window keeps one per
// line and so has the hash of any run of its lines without joining them.
#pragma once

#include <cstdint>
#include <string_view>

namespace trimmel {

inline constexpr std::uint64_t kHashBase = 0x9E3779B97F4A7C15ull;  // odd, so no byte is lost

struct TextHash {
  std::uint64_t value = 0;
  std::uint64_t scale = 1;  // kHashBase to the power of the text's length
};

// Each byte counts one more than its value, so that 0 bytes change the hash.
constexpr TextHash hash_text(std::string_view text, TextHash h = {}) {
  for (char c : text) {
    h.value = h.value * kHashBase + static_cast<unsigned char>(c) + 1;
    h.scale *= kHashBase;
  }
  return h;
}

constexpr TextHash join(TextHash first, TextHash second) {
  return {first.value * second.scale + second.value, first.scale * second.scale};
}

}  // namespace trimmel
