// The -g listing: port blocks, data area, function table, decoded code.
#pragma once

#include <cstdio>

#include "ground/image.hpp"

namespace corvel::output {

void print_listing(const ground::Image& image, std::FILE* out);

}  // namespace corvel::output
