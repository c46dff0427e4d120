#include "key_index.hpp"

#include <cstring>

namespace trimmel {

namespace {

// At most half the cells taken keeps the runs of taken cells short.
template <class Cell>
int size_for(std::vector<Cell>& cells, size_t count) {
  size_t size = 16;
  int shift = 60;
  for (; size < 2 * count; size *= 2) --shift;
  cells.assign(size, {});
  return shift;
}

size_t first_cell(std::uint64_t hash, int shift) { return static_cast<size_t>(hash >> shift); }

size_t next_cell(size_t cell, size_t size) { return (cell + 1) & (size - 1); }

std::uint32_t tag_of(std::uint64_t hash) { return static_cast<std::uint32_t>(hash); }

void add_key(KeyIndex& index, std::uint64_t hash, int entry) {
  size_t cell = first_cell(hash, index.key_shift);
  while (index.keys[cell].entry >= 0) cell = next_cell(cell, index.keys.size());
  index.keys[cell] = {hash, entry};
}

void add_ending(KeyIndex& index, std::uint64_t hash, std::uint8_t flags) {
  size_t cell = first_cell(hash, index.ending_shift);
  while (index.endings[cell].flags != 0 && index.endings[cell].tag != tag_of(hash))
    cell = next_cell(cell, index.endings.size());
  index.endings[cell].tag = tag_of(hash);
  index.endings[cell].flags |= flags;
}

// Every ending of the key, from its last byte to the whole key. The pattern
// of a bound key "#number#pattern" starts after its second "#".
void add_endings(KeyIndex& index, const KeyEntry& entry) {
  std::string_view key = entry.key;
  size_t pattern_start = entry.bound ? key.find('#', 1) + 1 : 0;
  TextHash ending;
  for (size_t at = key.size(); at-- > 0;) {
    ending = join(hash_text(key.substr(at, 1)), ending);
    std::uint8_t flags = kEndsAKey;
    if (at == pattern_start) flags |= entry.bound ? kIsABoundPattern : kIsAnUnboundKey;
    add_ending(index, ending.value, flags);
  }
}

size_t total_length(const KeyTable& table) {
  size_t total = 0;
  for (const KeyEntry& entry : table.entries) total += entry.key.size();
  return total;
}

bool equals(std::string_view key, const PiecedText& text) {
  if (key.size() != text.size) return false;
  size_t at = 0;
  for (int i = 0; i < text.count; ++i) {
    if (std::memcmp(key.data() + at, text.pieces[i].data(), text.pieces[i].size()) != 0) return false;
    at += text.pieces[i].size();
  }
  return true;
}

}  // namespace

void build_key_index(KeyIndex& index, const KeyTable& table) {
  index.key_shift = size_for(index.keys, table.entries.size());
  index.ending_shift = size_for(index.endings, total_length(table));
  for (size_t e = 0; e < table.entries.size(); ++e) {
    add_key(index, hash_text(table.entries[e].key).value, static_cast<int>(e));
    add_endings(index, table.entries[e]);
  }
}

std::uint8_t ending_flags(const KeyIndex& index, std::uint64_t hash) {
  if (index.endings.empty()) return 0;
  for (size_t cell = first_cell(hash, index.ending_shift); index.endings[cell].flags != 0;
       cell = next_cell(cell, index.endings.size()))
    if (index.endings[cell].tag == tag_of(hash)) return index.endings[cell].flags;
  return 0;
}

const KeyEntry* find_key(const KeyIndex& index, const KeyTable& table, std::uint64_t hash, bool bound,
                         const PiecedText& text) {
  if (index.keys.empty()) return nullptr;
  for (size_t cell = first_cell(hash, index.key_shift); index.keys[cell].entry >= 0;
       cell = next_cell(cell, index.keys.size())) {
    if (index.keys[cell].hash != hash) continue;
    const KeyEntry& entry = table.entries[index.keys[cell].entry];
    if (entry.bound == bound && equals(entry.key, text)) return &entry;
  }
  return nullptr;
}

}  // namespace trimmel
