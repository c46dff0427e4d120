// The layout of the code image and of the assembly file around the code: the
// header, the port blocks, the data area, frames and functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "codegen/gen.hpp"
#include "ground/limits.hpp"

namespace corvel::codegen {

using PinMap = std::array<std::uint8_t, ground::kPortBits>;  // bit 15 first

// The .asm file's first lines.
void write_prologue(Gen& g);
// The header of the code image before pass 1: blank port blocks, no main.
void preset_header(Gen& g);
// The per-pass state: byte counter after the header, no code yet.
void start_pass(Gen& g, int pass);
// The header text, written once when the program leaves its port section.
void write_header(Gen& g);
// The code section begins here.
void begin_code(Gen& g);
// Port block n: its pin map in the image, and its lines in the assembly.
void lay_port_block(Gen& g, int n, const PinMap& map);

// The data area.
void data_label(Gen& g, const std::string& name);
void data_byte(Gen& g, long value);
void data_word(Gen& g, long value);
// One character of a string initializer, written as a signed byte.
void data_char(Gen& g, int byte);
void reserve(Gen& g, long count);
// A WORD would start at an odd address, which native code cannot load.
bool word_misaligned(const Gen& g);

// #frame: pass 1 measures the frame it closes.
void mark_frame(Gen& g);
// A function's entry in the function table (pass 2), and its label.
void begin_function(Gen& g, const std::string& name);
void end_function(Gen& g);
void end_program(Gen& g);

// Source text copied into the assembly: an echoed line, an #asm line.
void echo_line(Gen& g, std::string_view line, bool in_code);
void asm_line(Gen& g, std::string_view line);
// Closes the assembly file; false when it was not written whole.
bool finish_assembly(Gen& g, bool compiled);

}  // namespace corvel::codegen
