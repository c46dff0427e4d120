// The -g listing: port blocks, data area, function table, decoded code.
#pragma once

namespace corvel::output {

void print_listing();

}  // namespace corvel::output
