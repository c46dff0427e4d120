// The one table of names of a compilation: keywords, built-ins, defines,
// variables, ports, functions and labels, each with its kind and its value.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "codegen/builtin_table.hpp"
#include "ground/kinds.hpp"

namespace corvel::front {

using ground::Kind;

// What an entry's value is. A keyword registered over a name keeps the
// name's value: only its kind changes.
enum class Value { None, Offset, Define, Builtin };

struct Symbol {
  Kind kind = Kind::None;
  Value value = Value::None;
  long offset = 0;      // a code-image offset or address
  int define_code = 0;  // a #define: the value token's code and text
  std::string define_text;
  const codegen::Builtin* builtin = nullptr;

  bool has_value() const { return value != Value::None; }
  // The value read as a number, as labels and calls read it: the offset, a
  // built-in's service number; none for a name without a value.
  std::optional<long> number() const;
};

// Looks names up without copying them into a string first.
struct NameHash {
  using is_transparent = void;
  size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

struct SymbolTable {
  std::unordered_map<std::string, Symbol, NameHash, std::equal_to<>> entries;

  const Symbol* find(std::string_view name) const;
  Kind kind_of(std::string_view name) const;
  // Adds the name or updates it: the kind always changes, the value with it.
  void add_keyword(std::string_view name, Kind kind);
  void add_offset(std::string_view name, Kind kind, long offset);
  void add_forward(std::string_view name);
  void add_define(std::string_view name, int code, std::string_view text);
  void add_builtin(const codegen::Builtin& builtin);
};

}  // namespace corvel::front
