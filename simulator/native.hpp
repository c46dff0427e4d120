// The native machine: it runs a ROM of H8/300H code (compile mode 1) on the
// processor core, with the image at MEMORYTOP as the board holds it. A jump
// or call to one of the firmware's entry points is done here instead: the
// services show the same events as the byte code's, and the runtime routines
// that the code calls for operators compute what the byte code's operators do.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "codegen/builtin_table.hpp"
#include "firmware.hpp"
#include "h8/core.hpp"
#include "model.hpp"

namespace corvsim {

// Where the firmware's entry points are, by the names the assembly calls them.
using Entries = std::map<std::uint32_t, std::string>;

// A ROM of native code holds its frames' starts as the low 16 bits of their
// addresses; this makes them image offsets and sizes the image by its frames.
void place_native_image(corvel::ground::Image& image);

class NativeMachine {
 public:
  NativeMachine(Model& model, const Entries& entries, bool trace);

  // Runs from the image's entry until the program ends; throws Stop.
  void run();

 private:
  std::uint8_t read(std::uint32_t address) const;
  void write(std::uint32_t address, std::uint8_t byte);
  bool in_image(std::uint32_t address) const;
  void step();
  void enter(const std::string& name);
  void service(const codegen::Builtin& b);
  std::vector<ServiceArgument> arguments(const codegen::Builtin& b) const;
  std::string string_at(std::uint32_t address) const;
  void overlay();
  void get_data();
  void set_data();
  void operator_routine(int op);
  void back_to_caller();

  Model& m_;
  const Entries& entries_;
  bool trace_;
  h8::Registers regs_;
  h8::Memory memory_;
  std::vector<std::uint8_t> stack_;
};

}  // namespace corvsim
