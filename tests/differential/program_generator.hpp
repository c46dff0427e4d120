// Random control programs for the differential test: every statement, every
// operator the native code has, every kind of operand and every built-in,
// kept within what both forms define alike (loops that end, indexes inside
// their arrays, divisors that are not 0, no assignment to a port's own bits).
#pragma once

#include <string>

namespace differential {

// The program's text after its [CODE] line, made from `seed`.
std::string generate_program(unsigned seed);
// What the services that return a value return, for both runs alike.
std::string generate_replies(unsigned seed);

}  // namespace differential
