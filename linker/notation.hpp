// The board assembler's notation, as corvel writes it and trimmel leaves it,
// rewritten line for line into the GNU assembler's, so that the GNU tools'
// line numbers are the source's.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace corvlink {

// A line that cannot be translated: where it stands and why.
struct NotationError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Finds and translates the file an .INCLUDE names (as written, on line `line`
// of the including file); returns the name the GNU file includes instead.
using IncludeResolver = std::function<std::string(const std::string& written, int line)>;

// Translates the text of `file` (named in messages); throws NotationError.
std::string translate(const std::string& file, const std::string& text, const IncludeResolver& include);

}  // namespace corvlink
