// The -g listing: port blocks, data area, function table, decoded code.
#pragma once

#include <cstdio>
#include <string>

#include "ground/image.hpp"

namespace corvel::output {

void print_listing(const ground::Image& image, std::FILE* out);
// The listing's text of the element at offset p, without a line head; its
// length in `length` (0 for PROG_END, -1 where it would run past the image).
std::string element_text(const ground::Image& image, long p, int& length);

}  // namespace corvel::output
