// The one table of names of a compilation: keywords, built-ins, defines,
// variables, ports, functions and labels, each with its kind and its value.
// The lexer enters every name it reads, so that a token carries its entry and
// the grammar never looks a name up again.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codegen/builtin_table.hpp"
#include "codegen/items.hpp"
#include "ground/kinds.hpp"

namespace corvel::front {

using ground::Kind;

// What an entry's value is. A keyword registered over a name keeps the
// name's value: only its kind changes.
enum class Value { None, Offset, Define, Builtin };

struct Symbol {
  std::string name;
  std::uint32_t hash = 0;
  Kind kind = Kind::None;  // None: a name read but never declared, as good as absent
  Value value = Value::None;
  long offset = 0;      // a code-image offset or address
  int define_code = 0;  // a #define: the value token's code and text
  std::string define_text;
  Symbol* define_name = nullptr;  // the entry of a define's value that is a name
  const codegen::Builtin* builtin = nullptr;

  bool has_value() const { return value != Value::None; }
  // The value read as a number, as labels and calls read it: the offset, a
  // built-in's service number; none for a name without a value. A define's
  // value is kept as its token's code followed by its text; read as a number
  // that gives 4 for a name and 0 for a number.
  std::optional<long> number() const {
    constexpr long kDefineNumberOfName = 4;
    switch (value) {
      case Value::None: return std::nullopt;
      case Value::Offset: return offset;
      case Value::Define: return define_code == codegen::kName ? kDefineNumberOfName : 0;
      case Value::Builtin: return builtin->number;
    }
    return std::nullopt;
  }
};

// An entry that was declared, or null: names only read count as absent.
inline const Symbol* declared(const Symbol* s) { return s && s->kind != Kind::None ? s : nullptr; }
inline Kind kind_of(const Symbol* s) { return s ? s->kind : Kind::None; }

// FNV-1a: one multiply a byte, and names are short. The lexer runs it
// along as it reads a name.
inline constexpr std::uint32_t kHashStart = 2166136261u;
constexpr std::uint32_t hash_step(std::uint32_t h, unsigned char c) { return (h ^ c) * 16777619u; }
std::uint32_t hash_of(std::string_view name);

// Names are short: a loop compares them faster than a call.
inline bool same_text(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) return false;
  return true;
}

class SymbolTable {
 public:
  // The entry of a name, made (of kind None) when the name is new. Entries
  // never move, so tokens and items may keep them.
  Symbol* intern(std::string_view name) { return intern(name, hash_of(name)); }
  // The same with the name's hash_of() at hand.
  Symbol* intern(std::string_view name, std::uint32_t hash) {
    Symbol* s = slots_[slot_of(name, hash)];
    return s ? s : add(name, hash);
  }
  // A declared entry, or null.
  const Symbol* find(std::string_view name) const;
  Kind kind_of(std::string_view name) const;
  // Adds the name or updates it: the kind always changes, the value with it.
  void add_keyword(std::string_view name, Kind kind);
  void add_offset(std::string_view name, Kind kind, long offset);
  void add_forward(std::string_view name);
  void add_define(std::string_view name, int code, std::string_view text);
  void add_builtin(const codegen::Builtin& builtin);
  // The same on an entry at hand.
  static void set_offset(Symbol& s, Kind kind, long offset);
  static void set_forward(Symbol& s);
  void set_define(Symbol& s, int code, std::string_view text);

 private:
  // The slot that holds the name, or the empty slot where it would go.
  size_t slot_of(std::string_view name, std::uint32_t hash) const {
    size_t i = hash & mask_;
    for (const Symbol* s; (s = slots_[i]) != nullptr; i = (i + 1) & mask_)
      if (s->hash == hash && same_text(s->name, name)) break;
    return i;
  }
  Symbol* add(std::string_view name, std::uint32_t hash);
  void grow();

  std::deque<Symbol> symbols_;
  // Open addressing: a power of two of slots, at most half of them full.
  std::vector<Symbol*> slots_ = std::vector<Symbol*>(kFirstSlots);
  size_t mask_ = kFirstSlots - 1;
  static constexpr size_t kFirstSlots = 512;
};

}  // namespace corvel::front
