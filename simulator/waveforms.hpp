// The timeline as files: a Value Change Dump that waveform viewers open, and
// an SVG timing diagram for a report. One step of the program is one time unit.
#pragma once

#include <string>
#include <vector>

#include "board_model.hpp"
#include "timeline.hpp"

namespace corvsim {

// Both return false when the file cannot be written whole.
bool write_vcd(const std::string& path, const std::vector<Signal>& signals, const Timeline& timeline, long end);
bool write_svg(const std::string& path, const std::vector<Signal>& signals, const Timeline& timeline, long end);

}  // namespace corvsim
