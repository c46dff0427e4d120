#include "front/symbol_table.hpp"

namespace corvel::front {

namespace {

// Clears the value and sets the kind; the name stays.
Symbol& valued(Symbol& s, Kind kind, Value value) {
  s.kind = kind;
  s.value = value;
  s.offset = 0;
  s.define_code = 0;
  s.define_text.clear();
  s.define_name = nullptr;
  s.builtin = nullptr;
  return s;
}

}  // namespace

std::uint32_t hash_of(std::string_view name) {
  std::uint32_t h = kHashStart;
  for (char c : name) h = hash_step(h, static_cast<unsigned char>(c));
  return h;
}

void SymbolTable::grow() {
  std::vector<Symbol*> old = std::move(slots_);
  slots_.assign(2 * old.size(), nullptr);
  mask_ = slots_.size() - 1;
  for (Symbol* s : old)
    if (s) slots_[slot_of(s->name, s->hash)] = s;
}

// A new name: the table grows first when it would be more than half full.
Symbol* SymbolTable::add(std::string_view name, std::uint32_t hash) {
  if (2 * (symbols_.size() + 1) > slots_.size()) grow();
  Symbol& s = symbols_.emplace_back();
  s.name = std::string(name);
  s.hash = hash;
  return slots_[slot_of(name, hash)] = &s;
}

const Symbol* SymbolTable::find(std::string_view name) const { return declared(slots_[slot_of(name, hash_of(name))]); }

Kind SymbolTable::kind_of(std::string_view name) const { return front::kind_of(find(name)); }

// A keyword keeps whatever value the name had: only its kind changes.
void SymbolTable::add_keyword(std::string_view name, Kind kind) { intern(name)->kind = kind; }

void SymbolTable::add_offset(std::string_view name, Kind kind, long offset) { set_offset(*intern(name), kind, offset); }

void SymbolTable::add_forward(std::string_view name) { set_forward(*intern(name)); }

void SymbolTable::add_define(std::string_view name, int code, std::string_view text) {
  set_define(*intern(name), code, text);
}

void SymbolTable::add_builtin(const codegen::Builtin& builtin) {
  valued(*intern(builtin.name), Kind::Builtin, Value::Builtin).builtin = &builtin;
}

void SymbolTable::set_offset(Symbol& s, Kind kind, long offset) { valued(s, kind, Value::Offset).offset = offset; }

void SymbolTable::set_forward(Symbol& s) { valued(s, Kind::Forward, Value::Offset); }

void SymbolTable::set_define(Symbol& s, int code, std::string_view text) {
  valued(s, Kind::Define, Value::Define);
  s.define_code = code;
  s.define_text = std::string(text);
  // Interned after the define itself, which may be its own value.
  if (code == codegen::kName) s.define_name = intern(text);
}

}  // namespace corvel::front
