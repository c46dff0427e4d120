#include "state.hpp"

namespace trimmel {

TrimmelState g;

void reset_state() {
  std::FILE* console = g.console;
  g = TrimmelState{};
  g.console = console;
}

}  // namespace trimmel
