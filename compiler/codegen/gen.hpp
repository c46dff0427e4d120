// The code generator of one compilation: it lays the intermediate code into
// the code image in both passes and both modes, and writes the native
// assembly when native output is active. It never reads a token: the front
// end hands it typed operands, items and statements.
#pragma once

#include <array>
#include <string_view>

#include "ground/asm_out.hpp"
#include "ground/format.hpp"
#include "ground/image.hpp"
#include "ground/limits.hpp"

namespace corvel::codegen {

struct Gen {
  Gen(ground::Image& i, ground::AsmOut& o) : image(i), out(o) {}

  ground::Image& image;
  ground::AsmOut& out;
  int pass = 1;
  int board_number = 0;
  int string_counter = 0;       // string arguments met in this pass: MSG_1, MSG_2, ...
  int frame_label_counter = 0;  // #frame marks written in this pass: frame_0, frame_1, ...
  int current_frame = 0;        // pass 1: the frame being laid
  std::array<bool, ground::kPortBlocks> port_written{};
};

// The compilation writes assembly (an output file is open).
inline bool native_mode(const Gen& g) { return g.out.is_open(); }
// Assembly text is written now: pass 2 of native mode.
inline bool native_output(const Gen& g) { return g.pass == 2 && g.out.is_open(); }
inline long counter(const Gen& g) { return g.image.size; }
// The run-time address of a code offset: the offset itself in pass 1.
inline long address_of(const Gen& g, long offset) { return g.pass == 1 ? offset : g.image.runtime_address(offset); }

// A line of the code stream or the data stream, formatted as printf would
// from ints, longs and C strings (%d %i %u %x %X %c %s %%, flags - and 0, a
// width, the length l); only while native output is active. The test is
// made here, inline: most calls come while nothing is written. The checked
// builds stop at an argument of the wrong kind for its conversion.
// Inline at every call, where a literal's length is known.
template <class... Args>
[[gnu::always_inline]] inline void emit(Gen& g, const char* format, Args... args) {
  if (!native_output(g)) return;
  if constexpr (sizeof...(Args) == 0) {
    // A line without conversions is its own text: a literal's length and
    // its search for '%' are worked out where it is written.
    std::string_view text(format);
    if (text.find('%') == std::string_view::npos) return g.out.code(text);
  }
  const ground::FormatArg list[] = {ground::FormatArg(args)..., ground::FormatArg()};
  g.out.code_line(format, list);
}

template <class... Args>
[[gnu::always_inline]] inline void emit_data(Gen& g, const char* format, Args... args) {
  if (!native_output(g)) return;
  if constexpr (sizeof...(Args) == 0) {
    std::string_view text(format);
    if (text.find('%') == std::string_view::npos) return g.out.data(text);
  }
  const ground::FormatArg list[] = {ground::FormatArg(args)..., ground::FormatArg()};
  g.out.data_line(format, list);
}

inline void emit_text(Gen& g, std::string_view text) {
  if (native_output(g)) g.out.code(text);
}

}  // namespace corvel::codegen
