#include "front/symbol_table.hpp"

#include <new>

#include "front/state.hpp"

namespace corvel::front {

namespace {

SymbolEntry* find(std::string_view name) {
  auto it = g.symbols.position.find(std::string(name));
  if (it == g.symbols.position.end()) return nullptr;
  return &g.symbols.buckets[symbol_bucket(name)][it->second];
}

}  // namespace

unsigned symbol_bucket(std::string_view name) {
  std::uint32_t h = 0;
  for (unsigned char b : name) {
    h = (h << 4) + b;
    std::uint32_t high = h & 0xF0000000u;
    if (high != 0) h ^= high >> 24;
    h &= ~high;
  }
  return h % kBucketCount;
}

int symbol_insert(std::string_view name, std::optional<std::string_view> value, int kind) {
  try {
    if (SymbolEntry* e = find(name)) {
      if (value) e->value = std::string(*value);
      e->kind = static_cast<std::uint8_t>(kind);
      return 0;
    }
    SymbolEntry entry;
    entry.name = std::string(name);
    if (value) entry.value = std::string(*value);
    entry.kind = static_cast<std::uint8_t>(kind);
    auto& bucket = g.symbols.buckets[symbol_bucket(name)];
    bucket.push_back(std::move(entry));
    g.symbols.position.emplace(std::string(name), bucket.size() - 1);
    return 0;
  } catch (const std::bad_alloc&) {
    return -1;
  }
}

int symbol_kind(std::string_view name) {
  const SymbolEntry* e = find(name);
  return e ? e->kind : -1;
}

int symbol_lookup(std::string_view name, std::string* value) {
  const SymbolEntry* e = find(name);
  if (!e || !e->value || !value) return -1;
  *value = *e->value;
  return e->kind;
}

// The table starts empty with every run, so reset and clear do the same.
void symbol_reset() { symbol_clear(); }

void symbol_clear() {
  for (auto& bucket : g.symbols.buckets) {
    bucket.clear();
    bucket.shrink_to_fit();
  }
  g.symbols.position.clear();
}

}  // namespace corvel::front
