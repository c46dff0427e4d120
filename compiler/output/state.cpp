#include "output/state.hpp"

namespace corvel::output {

OutputState g;

}  // namespace corvel::output
