#include "front/symbol_table.hpp"

namespace corvel::front {

namespace {

Symbol& entry(SymbolTable& t, std::string_view name, Kind kind) {
  auto it = t.entries.find(name);
  if (it == t.entries.end()) it = t.entries.emplace(std::string(name), Symbol{}).first;
  it->second.kind = kind;
  return it->second;
}

Symbol& valued(SymbolTable& t, std::string_view name, Kind kind, Value value) {
  Symbol& s = entry(t, name, kind);
  s = Symbol{};
  s.kind = kind;
  s.value = value;
  return s;
}

// A define's value is kept as its token's code followed by its text; read as
// a number that gives 4 for an identifier (code 52) and 0 for a number.
constexpr long kDefineNumberOfName = 4;
constexpr int kIdentifierCode = 52;

}  // namespace

std::optional<long> Symbol::number() const {
  switch (value) {
    case Value::None: return std::nullopt;
    case Value::Offset: return offset;
    case Value::Define: return define_code == kIdentifierCode ? kDefineNumberOfName : 0;
    case Value::Builtin: return builtin->number;
  }
  return std::nullopt;
}

const Symbol* SymbolTable::find(std::string_view name) const {
  auto it = entries.find(name);
  return it == entries.end() ? nullptr : &it->second;
}

Kind SymbolTable::kind_of(std::string_view name) const {
  const Symbol* s = find(name);
  return s ? s->kind : Kind::None;
}

// A keyword keeps whatever value the name had: only its kind changes.
void SymbolTable::add_keyword(std::string_view name, Kind kind) { entry(*this, name, kind); }

void SymbolTable::add_offset(std::string_view name, Kind kind, long offset) { valued(*this, name, kind, Value::Offset).offset = offset; }

void SymbolTable::add_forward(std::string_view name) { valued(*this, name, Kind::Forward, Value::Offset); }

void SymbolTable::add_define(std::string_view name, int code, std::string_view text) {
  Symbol& s = valued(*this, name, Kind::Define, Value::Define);
  s.define_code = code;
  s.define_text = std::string(text);
}

void SymbolTable::add_builtin(const codegen::Builtin& builtin) { valued(*this, builtin.name, Kind::Builtin, Value::Builtin).builtin = &builtin; }

}  // namespace corvel::front
