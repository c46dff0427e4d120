// The firmware's services as this system knows them, for both forms of a
// program: every call is shown; the effects the system fixes act on the
// model (supply voltages, exit and return, the memory services); values the
// firmware returns come from the replies.
#pragma once

#include <string>
#include <vector>

#include "codegen/builtin_table.hpp"
#include "model.hpp"

namespace corvsim {


// An argument as the service receives it.
struct ServiceArgument {
  char letter = ' ';
  long value = 0;  // a number; an address as an offset into the image
  std::string text;
  bool is_string = false;
  bool variable = false;  // a variable given to Pulse, Inc, Dec or Clear
};

// Whether a parameter passes an address: arrays, WORD variables passed by
// reference, and the addresses of the memory services.
bool passes_address(const codegen::Builtin& b, size_t index);

// Shows the call and does what the system fixes; returns the service's value.
long call_service(Model& m, const codegen::Builtin& b, const std::vector<ServiceArgument>& args);

// The call as the transcript shows it: strings in quotes, other bytes than
// printable ones as \xNN.
std::string call_text(const codegen::Builtin& b, const std::vector<ServiceArgument>& args);

}  // namespace corvsim
