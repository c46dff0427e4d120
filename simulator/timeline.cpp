#include "timeline.hpp"

namespace corvsim {

void Timeline::event(long step, long offset, const std::string& text) {
  if (!events_) std::fprintf(console_, "%9ld  <%04ld>  %s\n", step, offset, text.c_str());
}

void Timeline::canonical(const std::string& text) {
  if (events_) std::fprintf(console_, "%s\n", text.c_str());
}

void Timeline::trace(long step, long offset, const std::string& text) {
  if (!events_) std::fprintf(console_, "%9ld  <%04ld>    %s\n", step, offset, text.c_str());
}

void Timeline::print_serial() const {
  if (serial_.empty() || events_) return;
  std::fputs("serial output:\n", console_);
  for (const std::string& line : serial_) std::fprintf(console_, "  %s\n", line.c_str());
}

}  // namespace corvsim
