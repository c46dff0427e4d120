#include "ground/format.hpp"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace corvel::ground {

namespace {

// Room kept ahead of the writing pointer: a number or a padding needs at most this.
constexpr size_t kSlack = 256;

// The writing pointer `at` moves on in the buffer's room; more room is asked
// for only when it reaches the end.
char* more_room(TextBuffer& out, char* at, size_t n) {
  out.commit(at);
  return out.room(n + kSlack);
}

bool is_hand_made(char conversion) {
  switch (conversion) {
    case 'd': case 'i': case 'u': case 'x': case 'X': case 'c': case 's': case '%': return true;
    default: return false;
  }
}

// Reads the directive after a '%'; returns where it ends, or null for a conversion
// not made here.
const char* read_directive(const char* p, Directive& directive) {
  for (;; ++p) {
    if (*p == '-') directive.left = true;
    else if (*p == '0') directive.zero = true;
    else break;
  }
  for (; *p >= '0' && *p <= '9'; ++p) directive.width = static_cast<std::uint16_t>(directive.width * 10 + (*p - '0'));
  if (*p == 'l') {
    directive.is_long = true;
    ++p;
  }
  directive.conversion = *p;
  return is_hand_made(directive.conversion) ? p + 1 : nullptr;
}

// The digits of `value`, written backwards to end at `end`, two at a time;
// returns where they begin.
char* write_decimal(char* end, unsigned long value) {
  constexpr const char* kPairs =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  while (value >= 100) {
    const char* pair = kPairs + 2 * (value % 100);
    value /= 100;
    *--end = pair[1];
    *--end = pair[0];
  }
  if (value >= 10) {
    *--end = kPairs[2 * value + 1];
    *--end = kPairs[2 * value];
  } else {
    *--end = static_cast<char>('0' + value);
  }
  return end;
}

char* write_hex(char* end, unsigned long value, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    *--end = digits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  return end;
}

char* copy_short(const char* from, const char* to, char* at) {
  while (from != to) *at++ = *from++;
  return at;
}

char* put_padded(TextBuffer& out, char* at, const Directive& directive, const char* text, size_t length, bool numeric) {
  size_t pad = directive.width > length ? directive.width - length : 0;
  if (static_cast<size_t>(out.limit() - at) < length + pad) at = more_room(out, at, length + pad);
  bool zeros = numeric && directive.zero && !directive.left;
  size_t sign = zeros && *text == '-' ? 1 : 0;  // zeros go after a sign
  at = copy_short(text, text + sign, at);
  if (!directive.left) at = std::fill_n(at, pad, zeros ? '0' : ' ');
  at = copy_short(text + sign, text + length, at);
  if (directive.left) at = std::fill_n(at, pad, ' ');
  return at;
}

bool is_signed_conversion(char c) { return c == 'd' || c == 'i'; }

// The argument's bits as printf would read them for the directive: an int or a
// long, signed or not, or a pointer.
unsigned long take(const FormatArg*& args, const Directive& directive) {
  const FormatArg& arg = *args++;
  bool wants_text = directive.conversion == 's';
#ifndef NDEBUG
  if (arg.type == FormatArg::Type::End || wants_text != (arg.type == FormatArg::Type::Text)) std::abort();
#endif
  if (wants_text) return reinterpret_cast<std::uintptr_t>(arg.text);
  if (directive.is_long) return static_cast<unsigned long>(arg.number);
  if (is_signed_conversion(directive.conversion))
    return static_cast<unsigned long>(static_cast<long>(static_cast<int>(arg.number)));
  return static_cast<unsigned>(arg.number);
}

constexpr size_t kLongestNumber = 24;  // a sign and 20 digits, or 16 hex digits

char* put_value(TextBuffer& out, char* at, const Directive& directive, unsigned long value) {
  char buffer[2 * kLongestNumber];
  char* end = buffer + kLongestNumber;
  std::memset(end, 0, kLongestNumber);
  char* begin;
  if (!is_signed_conversion(directive.conversion)) {
    char c = directive.conversion;
    begin = c == 'u' ? write_decimal(end, value) : write_hex(end, value, c == 'X');
  } else {
    long number = static_cast<long>(value);
    begin = write_decimal(end, number < 0 ? 0UL - value : value);
    if (number < 0) *--begin = '-';
  }
  // The slack holds the digits; a copy of fixed size runs over them unseen.
  if (directive.width == 0) {
    std::memcpy(at, begin, kLongestNumber);
    return at + (end - begin);
  }
  return put_padded(out, at, directive, begin, static_cast<size_t>(end - begin), true);
}

// A string without a width is copied as it is read.
char* put_string(TextBuffer& out, char* at, const Directive& directive, const char* text) {
  if (!text) text = "(null)";
  if (directive.width != 0) return put_padded(out, at, directive, text, std::strlen(text), false);
  for (char* limit = out.limit(); *text; *at++ = *text++)
    if (at == limit) limit = (at = more_room(out, at, 1)) + kSlack;
  return at;
}

char* put_arg(TextBuffer& out, char* at, const Directive& directive, const FormatArg*& args) {
  switch (directive.conversion) {
    case '%': return put_padded(out, at, Directive{}, "%", 1, false);
    case 's': return put_string(out, at, directive, reinterpret_cast<const char*>(take(args, directive)));
    case 'c': {
      char c = static_cast<char>(take(args, directive));
      return put_padded(out, at, directive, &c, 1, false);
    }
    default: return put_value(out, at, directive, take(args, directive));
  }
}

// Copies a piece's literal text, sixteen bytes at a time: the padding after
// it in the cache and the room asked for let the last copy run over.
char* copy_piece(char* at, const char* text, size_t size) {
  constexpr size_t kStep = FormatCache::kPadding;
  std::memcpy(at, text, kStep);
  for (size_t i = kStep; i < size; i += kStep) std::memcpy(at + i, text + i, kStep);
  return at + size;
}

// Room for what a conversion other than %s writes without a width.
constexpr size_t kConversionRoom = 2 * kLongestNumber;

size_t slot_of(const char* format, size_t mask) {
  auto key = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(format));
  return static_cast<size_t>((key * 0x9E3779B97F4A7C15u) >> 40) & mask;
}

}  // namespace

FormatCache::FormatCache() : slots_(256), mask_(255) {}

const FormatCache::Slot& FormatCache::find(const char* format) {
  size_t i = slot_of(format, mask_);
  while (slots_[i].format != format) {
    if (!slots_[i].format) return add(format, i);
    i = (i + 1) & mask_;
  }
#ifndef NDEBUG
  if (checked_[slots_[i].check] != format) std::abort();  // a format that is not a literal
#endif
  return slots_[i];
}

const FormatCache::Slot& FormatCache::add(const char* format, size_t i) {
  Slot slot{format, static_cast<std::uint32_t>(pieces_.size()), 0, 0, 0};
#ifndef NDEBUG
  slot.check = static_cast<std::uint32_t>(checked_.size());
  checked_.emplace_back(format);
#endif
  for (const char* p = format;; ++slot.count) {
    const char* end = std::strchr(p, '%');
    if (!end) end = p + std::strlen(p);
    Piece piece{static_cast<std::uint32_t>(texts_.size()), static_cast<std::uint32_t>(end - p), {}};
    texts_.append(p, end).append(kPadding, '\0');
    p = *end ? cut_directive(end, piece.directive) : end;
    slot.room += piece.size + kPadding + (piece.directive.conversion ? piece.directive.width + kConversionRoom : 0);
    pieces_.push_back(piece);
    if (*end == 0) break;
  }
  ++slot.count;
  slots_[i] = slot;
  if (2 * (++used_) > slots_.size()) {
    grow();
    return find(format);
  }
  return slots_[i];
}

void FormatCache::grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(2 * old.size(), Slot{});
  mask_ = slots_.size() - 1;
  for (const Slot& s : old) {
    if (!s.format) continue;
    size_t i = slot_of(s.format, mask_);
    while (slots_[i].format) i = (i + 1) & mask_;
    slots_[i] = s;
  }
}

// The directive after the '%' at `percent`; returns where the text goes on. A
// conversion not made here writes the '%' alone, the rest as text.
const char* FormatCache::cut_directive(const char* percent, Directive& directive) {
  const char* next = read_directive(percent + 1, directive);
  if (next) return next;
#ifndef NDEBUG
  std::abort();
#endif
  directive = Directive{};
  directive.conversion = '%';
  return percent + 1;
}

// The room for the whole line is asked for once; only a %s text, whose length
// is not known before, asks for more as it is copied.
void append_args(TextBuffer& out, FormatCache& cache, const char* format, const FormatArg* args) {
  const FormatCache::Slot& slot = cache.find(format);
  char* at = out.room(slot.room);
  const FormatCache::Piece* piece = &cache.piece(slot.first);
  for (const FormatCache::Piece* last = piece + slot.count; piece != last; ++piece) {
    at = copy_piece(at, cache.text(*piece), piece->size);
    if (piece->directive.conversion == 0) continue;
    at = put_arg(out, at, piece->directive, args);
    if (piece->directive.conversion == 's' && static_cast<size_t>(out.limit() - at) < slot.room)
      at = more_room(out, at, slot.room);
  }
  out.commit(at);
}

}  // namespace corvel::ground
