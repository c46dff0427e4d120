// The one table of names of a compilation: keywords, built-ins, defines,
// variables, ports, functions and labels, each with a kind letter.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvel::front {

// Entry kinds. The letter is what the rest of the compiler dispatches on.
enum Kind : int {
  kKindIf = 'A',
  kKindGoto = 'B',
  kKindElse = 'E',
  kKindWhile = 'F',
  kKindDo = 'G',
  kKindBreak = 'H',
  kKindContinue = 'I',
  kKindFunction = 'J',
  kKindBuiltin = 'K',
  kKindDefine = 'L',
  kKindByteArray = 'M',
  kKindWordArray = 'N',
  kKindLabel = 'O',
  kKindForward = 'P',  // called before any definition
  kKindPortBit = '=',
  kKindPin = '>',      // only expression items carry it
  kKindByte = '?',
  kKindWord = '@',     // WORD variables and port registers
};

inline constexpr int kBucketCount = 97;

struct SymbolEntry {
  std::string name;
  std::optional<std::string> value;
  std::uint8_t kind = 0;
};

struct SymbolTable {
  // Entries of a bucket in the order they were added; the first is the head.
  std::array<std::vector<SymbolEntry>, kBucketCount> buckets;
  // Where each name stands in its bucket, so that long chains cost no more
  // to search than short ones.
  std::unordered_map<std::string, std::size_t> position;
};

unsigned symbol_bucket(std::string_view name);
// Adds the name, or updates it: a given value replaces the old one, the kind always does.
int symbol_insert(std::string_view name, std::optional<std::string_view> value, int kind);
// Kind of the name, or -1.
int symbol_kind(std::string_view name);
// Kind, with the value text copied out; -1 when missing, without value text or without buffer.
int symbol_lookup(std::string_view name, std::string* value);
void symbol_reset();
void symbol_clear();

}  // namespace corvel::front
