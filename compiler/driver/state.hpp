// Everything the compiler driver remembers during one run, in one place:
// the code image and its tables, the report slots and the assembly streams.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace corvel::driver {

inline constexpr int kImageCapacity = 30256;
inline constexpr int kHeaderSize = 66;
inline constexpr int kBaseLimit = 3500;      // intermediate program; frame 0 plus one overlay
inline constexpr int kNativeLimit = 30000;   // native program; any program with overlays
inline constexpr int kMaxFunctions = 100;
inline constexpr int kMaxFunctionName = 50;  // names must be shorter
inline constexpr int kMaxFrames = 16;        // frame 0 and 15 overlay frames
inline constexpr int kMaxPorts = 3;
inline constexpr int kPortBlockSize = 20;
inline constexpr int kNativeBase = 0xFEF10;  // MEMORYTOP: where native code is assembled

// Header bytes of the code image.
inline constexpr int kCompileModeByte = 60;
inline constexpr int kBoardNumberByte = 61;
inline constexpr int kEntryByte = 62;

enum Section : int { kSectionPorts = 0, kSectionDeclarations = 1, kSectionCode = 2 };

struct Frame {
  long start = 0;
  long size = 0;
};

struct Function {
  std::string name;
  long address = 0;
};

inline constexpr int kPinTableSize = 41;  // index 0 stays unconnected
inline constexpr int kCalibrationEntries = 30;
inline constexpr int kBoards = 3;
inline constexpr int kNoPort = 255;

enum PinTable : int { kBoardPins = 0, kVppPins = 1, kVccPins = 2, kGndPins = 3, kPinTableCount = 4 };

struct Calibration {
  long hundredths = 0;
  std::uint8_t code = 0;
};

// What the board configuration file says about the wiring.
struct BoardTables {
  std::array<std::array<std::uint8_t, kPinTableSize>, kPinTableCount> pins{};
  std::array<std::array<std::array<Calibration, kCalibrationEntries>, 2>, kBoards> calibration{};
  std::array<std::array<int, 2>, kBoards> calibration_count{};
};

struct DriverState {
  int pass = 1;
  int byte_counter = 0;
  int pass1_length = 0;  // both passes must lay the same number of bytes
  std::array<std::uint8_t, kImageCapacity> image{};
  std::string message;     // the first error's text
  std::string diagnostic;  // "line %d" with the error site's number
  std::FILE* data_stream = nullptr;  // the assembly file, native mode only
  std::FILE* code_stream = nullptr;  // collects code, appended at the end
  std::FILE* console = stdout;
  std::array<Frame, kMaxFrames> frames{};
  int current_frame = 0;
  int frame_count = 0;
  std::vector<Function> functions;
  int section = kSectionPorts;
  int port_count = 0;
  std::array<bool, kMaxPorts> port_defined{};
  int code_start = 0;
  int frame_label_counter = 0;
  int board_number = 0;  // the board of the compilation; nothing changes it
  BoardTables board;
};

extern DriverState g;

}  // namespace corvel::driver
