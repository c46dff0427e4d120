// Finds the keys of the key table by hashes of their texts, so that the
// window compares its lines with a key only when their hash names one, and
// stops walking back as soon as no key can end with the lines it has.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "key_table.hpp"
#include "text_hash.hpp"

namespace trimmel {

// What a text is to the keys, as flags. Every key is also an ending of
// itself, and so is the pattern of a bound key (what follows "#number#").
enum KeyEnding : std::uint8_t { kEndsAKey = 1, kIsAnUnboundKey = 2, kIsABoundPattern = 4 };

// Two open-addressed hash tables, built once the rules are loaded.
struct KeyIndex {
  struct KeyCell {
    std::uint64_t hash = 0;
    int entry = -1;  // position in the key table; -1: an empty cell
  };
  // A short tag stands for the hash: a tag that two texts share only lets
  // the walk go on, it never makes a match.
  struct EndingCell {
    std::uint32_t tag = 0;
    std::uint8_t flags = 0;  // 0: an empty cell
  };
  std::vector<KeyCell> keys;
  std::vector<EndingCell> endings;
  int key_shift = 64;  // the top bits of a hash choose its first cell
  int ending_shift = 64;
};

void build_key_index(KeyIndex& index, const KeyTable& table);

// The KeyEnding flags of the text with this hash; 0 when no key ends with it.
std::uint8_t ending_flags(const KeyIndex& index, std::uint64_t hash);

// A text in pieces, as the window holds it: a key is matched without
// joining the lines it spans.
struct PiecedText {
  std::array<std::string_view, 16> pieces;
  int count = 0;
  size_t size = 0;

  void add(std::string_view piece) {
    pieces[count++] = piece;
    size += piece.size();
  }
};

// The entry whose key has this hash, was made the same way (bound or not)
// and equals text; null when there is none.
const KeyEntry* find_key(const KeyIndex& index, const KeyTable& table, std::uint64_t hash, bool bound,
                         const PiecedText& text);

}  // namespace trimmel
