#include "ground/board.hpp"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <limits>

#include "ground/text.hpp"

namespace corvel::ground {

namespace {

constexpr int kLinePiece = 256;  // a read takes at most 255 characters
constexpr int kPortIndex[16] = {-1, 0, 1, 2, 3, 4, 5, -1, 6, -1, 7, 8, -1, -1, -1, -1};

enum LineKind { kCalibrationVpp, kCalibrationVcc, kPinVpp, kPinVcc, kPinGnd, kPinBoard, kDefine, kBoard, kOther };

struct Key {
  const char* text;
  LineKind kind;
};

constexpr Key kKeys[] = {{"#CVPP", kCalibrationVpp}, {"#CVCC", kCalibrationVcc}, {"#VPP", kPinVpp},
                         {"#VCC", kPinVcc},          {"#GND", kPinGnd}};
constexpr const char* kBoardSections[kBoards] = {"[Board1]", "[Board2]", "[Board3]"};
constexpr const char* kDefineKey = "#define";

bool line_starts_with(const char* line, const char* key) { return strncasecmp(line, key, std::strlen(key)) == 0; }

const char* skip_blanks(const char* p) {
  while (is_space(static_cast<unsigned char>(*p))) ++p;
  return p;
}

// A signed decimal number as strtol reads it, kept within long's range;
// false when no digit stands there.
bool read_decimal(const char*& p, long& value) {
  p = skip_blanks(p);
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (!is_digit(static_cast<unsigned char>(*p))) return false;
  long v = 0;
  constexpr long kMax = std::numeric_limits<long>::max() / 10 - 9;
  for (; is_digit(static_cast<unsigned char>(*p)); ++p)
    if (v < kMax) v = v * 10 + (*p - '0');
  value = negative ? -v : v;
  return true;
}

void read_pin_entry(Board& b, PinTable table, const char* fields) {
  const char* p = fields;
  long index;
  if (!read_decimal(p, index) || index < 1 || index > kMaxBoardPin) return;
  p = fields;
  while (is_digit(static_cast<unsigned char>(*p))) ++p;
  p = skip_blanks(p);
  if (!is_hex_digit(static_cast<unsigned char>(*p))) return;
  std::uint32_t field = parse_hex(p);
  if (field > 0xFF) return;
  int code = port_bit_code(static_cast<int>(field >> 4), static_cast<int>(field & 15));
  if (code >= 0) b.pins[table][index] = static_cast<std::uint8_t>(code);
}

void read_calibration_entry(Board& b, int board, int supply, const char* fields) {
  const char* p = skip_blanks(fields);
  const char* word = p;
  while (*p && !is_space(static_cast<unsigned char>(*p))) ++p;
  std::string voltage(word, p);
  long code;
  if (voltage.empty() || !read_decimal(p, code)) return;
  int& count = b.calibration_count[board][supply];
  if (count >= kCalibrationEntries) return;
  b.calibration[board][supply][count++] = {voltage_hundredths(voltage), static_cast<std::uint8_t>(code & 0xFF)};
}

LineKind classify(const char* line, const char*& fields) {
  for (const Key& key : kKeys) {
    if (line_starts_with(line, key.text)) {
      fields = line + std::strlen(key.text);
      return key.kind;
    }
  }
  if (line[0] == '#' && is_digit(static_cast<unsigned char>(line[1]))) {
    fields = line + 1;
    return kPinBoard;
  }
  if (line_starts_with(line, kDefineKey)) {
    fields = line + std::strlen(kDefineKey);
    return kDefine;
  }
  for (const char* section : kBoardSections)
    if (line_starts_with(line, section)) return kBoard;
  return kOther;
}

void read_line(Board& b, const char* line, int& board) {
  const char* fields = nullptr;
  switch (classify(line, fields)) {
    case kCalibrationVpp: read_calibration_entry(b, board, 0, fields); break;
    case kCalibrationVcc: read_calibration_entry(b, board, 1, fields); break;
    case kPinVpp: read_pin_entry(b, kVppPins, fields); break;
    case kPinVcc: read_pin_entry(b, kVccPins, fields); break;
    case kPinGnd: read_pin_entry(b, kGndPins, fields); break;
    case kPinBoard: read_pin_entry(b, kBoardPins, fields); break;
    case kDefine: b.defines.emplace_back(fields); break;
    case kBoard: board = line[6] - '1'; break;
    case kOther: break;
  }
}

}  // namespace

Board::Board() {
  for (auto& table : pins) table.fill(kNoPort);
}

int Board::pin_lookup(long index) const {
  if (index < 0 || index > 4 * kMaxBoardPin) return kNoPort;
  if (index <= kMaxBoardPin) return pins[kBoardPins][index];
  int table = static_cast<int>((index - 1) / kMaxBoardPin);
  return pins[table][index - kMaxBoardPin * table];
}

bool read_board(const std::string& path, Board& board) {
  board = Board{};
  std::FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return false;
  int section = 0;
  char line[kLinePiece];
  while (std::fgets(line, sizeof line, file)) read_line(board, line, section);
  std::fclose(file);
  return true;
}

int port_bit_code(int port, int bit) {
  if (port < 0 || port > 15 || bit < 0 || bit > 7 || kPortIndex[port] < 0) return -1;
  return kPortIndex[port] * 8 + bit;
}

int port_bit_code_of_chars(int port_char, int bit_char) {
  int port = -1;
  if (port_char >= '0' && port_char <= '9') port = port_char - '0';
  if ((port_char | 0x20) == 'a' || (port_char | 0x20) == 'b') port = (port_char | 0x20) - 'a' + 10;
  if (bit_char < '0' || bit_char > '7') return -1;
  return port_bit_code(port, bit_char - '0');
}

long voltage_hundredths(std::string_view text) {
  std::string s(text);
  size_t point = s.find('.');
  if (point == std::string::npos) {
    s += "00";
  } else {
    std::string after = s.substr(point + 1);
    if (after.size() == 1) after += "0";
    s = s.substr(0, point) + (after.empty() ? "00" : after.substr(0, 2));
  }
  const char* p = s.c_str();
  long value = 0;
  read_decimal(p, value);
  return value;
}

int voltage_conversion(int board, int supply, std::string_view text) {
  if (board < 0 || board >= kBoards || supply < 0 || supply > 1) return -1;
  long h = voltage_hundredths(text);
  if (h == 0 || (h >= 500 && h <= 2100)) return static_cast<int>(h / 10);
  return -1;
}

}  // namespace corvel::ground
