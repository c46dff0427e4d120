#include "output/import.hpp"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "driver/code_image.hpp"
#include "driver/messages.hpp"
#include "driver/state.hpp"
#include "front/lexer.hpp"
#include "output/state.hpp"

namespace corvel::output {

namespace {

constexpr int kLinePiece = 256;
constexpr size_t kRunCapacity = 1000;
constexpr long kNativeBase = driver::kNativeBase;
constexpr int kPatchOffset = 3;  // the 24-bit address inside the MOV.L after an update_ label
constexpr int kPatchBytes = 3;

std::FILE* console() { return driver::g.console; }

bool is_hex(int c) { return front::is_hex_digit(c); }

long read_hex_run(const char*& p) {
  unsigned long value = 0;
  for (; is_hex(static_cast<unsigned char>(*p)); ++p) {
    unsigned long digit = front::is_digit(static_cast<unsigned char>(*p)) ? *p - '0' : (*p | 0x20) - 'a' + 10;
    if (value <= 0xFFFFFFFFul) value = value * 16 + digit;
  }
  return static_cast<long>(value > 0xFFFFFFFFul ? 0xFFFFFFFFul : value);
}

struct SymbolReader {
  int frame = 0;
  bool any_address = false;
  long last_address = 0;
};

void assign_function(const std::string& name, long address) {
  for (driver::Function& f : driver::g.functions) {
    if (strcasecmp(f.name.c_str(), name.c_str()) == 0) {
      f.address = address;
      return;
    }
  }
}

// Classifies one address/name pair; -1 after a message.
int take_symbol(SymbolReader& r, const std::string& name, long address) {
  r.any_address = true;
  r.last_address = address;
  if (name.compare(0, 7, "update_") == 0) {
    if (static_cast<int>(g.updates.size()) >= kMaxUpdates) {
      std::fprintf(console(), msg::kUpdateOverflow, kMaxUpdates);
      return -1;
    }
    g.updates.push_back(address);
  } else if (name.compare(0, 6, "frame_") == 0) {
    if (r.frame + 1 >= driver::kMaxFrames) {
      std::fprintf(console(), msg::kFileFormatError, g.symbol_path.c_str());
      return -1;
    }
    driver::Frame* frames = driver::g.frames.data();
    frames[r.frame].size = address - frames[r.frame].start;
    frames[++r.frame].start = address;
  } else if (!name.empty() && name[0] == '_') {
    assign_function(name.substr(1), address);
  }
  return 0;
}

int read_symbol_line(SymbolReader& r, const char* p) {
  while (is_hex(static_cast<unsigned char>(*p))) {
    long address = read_hex_run(p);
    if (*p) ++p;  // the separator, whatever it is
    const char* start = p;
    while (*p && !front::is_space(static_cast<unsigned char>(*p))) ++p;
    if (take_symbol(r, std::string(start, p), address) < 0) return -1;
    while (front::is_space(static_cast<unsigned char>(*p))) ++p;
  }
  return 0;
}

struct HexReader {
  std::FILE* file;
  long segment_base = 0;
  long resume = 0;  // start of the line that ended the previous run
};

struct Record {
  int type = 0;
  long address = 0;
  std::vector<std::uint8_t> data;
};

int pair_value(const char* p) {
  if (!is_hex(static_cast<unsigned char>(p[0])) || !is_hex(static_cast<unsigned char>(p[1]))) return -1;
  const char digits[3] = {p[0], p[1], 0};
  return static_cast<int>(std::strtol(digits, nullptr, 16));
}

// Parses one record line; -1 for a corrupted record.
int parse_record(const char* line, Record& record) {
  std::vector<std::uint8_t> bytes;
  for (const char* p = line + 1; front::is_letter(static_cast<unsigned char>(*p)) || front::is_digit(static_cast<unsigned char>(*p)); p += 2) {
    int value = pair_value(p);
    if (value < 0) return -1;
    bytes.push_back(static_cast<std::uint8_t>(value));
  }
  if (bytes.size() < 5 || bytes.size() < 5u + bytes[0]) return -1;
  unsigned sum = 0;
  for (size_t i = 0; i < 5u + bytes[0]; ++i) sum += bytes[i];
  if ((sum & 0xFF) != 0) return -1;
  record.type = bytes[3];
  record.address = bytes[1] * 256 + bytes[2];
  record.data.assign(bytes.begin() + 4, bytes.begin() + 4 + bytes[0]);
  return 0;
}

enum RunStep { kAppended, kRunEnds, kBadRecord };

RunStep take_record(HexReader& h, const Record& record, std::vector<std::uint8_t>& run, long& address) {
  if (record.type == 1) return kRunEnds;
  if (record.type == 2) {
    long base = 0;
    for (std::uint8_t b : record.data) base = (base << 8 | b) & 0xFFFFFFF;
    h.segment_base = base * 16;
    return kAppended;
  }
  if (record.type != 0) return kBadRecord;
  long at = h.segment_base + record.address;
  if (run.empty()) address = at;
  if (at != address + static_cast<long>(run.size()) || run.size() + record.data.size() > kRunCapacity) return kRunEnds;
  run.insert(run.end(), record.data.begin(), record.data.end());
  return kAppended;
}

// The next run of contiguous data bytes; an empty run when none is left.
int next_run(HexReader& h, std::vector<std::uint8_t>& run, long& address) {
  run.clear();
  address = 0;
  std::fseek(h.file, h.resume, SEEK_SET);
  char line[kLinePiece];
  for (;;) {
    long start = std::ftell(h.file);
    if (!std::fgets(line, sizeof line, h.file)) {
      h.resume = start;
      return 0;
    }
    if (line[0] != ':' || std::strlen(line) < 11) continue;
    Record record;
    if (parse_record(line, record) < 0) return -1;
    RunStep step = take_record(h, record, run, address);
    if (step == kBadRecord) return -1;
    if (step == kRunEnds) {
      h.resume = start;
      return 0;
    }
  }
}

int copy_run(const std::vector<std::uint8_t>& run, long address) {
  long offset = address - kNativeBase;
  long end = offset + static_cast<long>(run.size());
  if (offset < 0 || end >= driver::kBaseLimit) {
    std::fprintf(console(), msg::kImportTooBig, static_cast<int>(end), driver::kBaseLimit);
    return -1;
  }
  std::memcpy(&driver::g.image[offset], run.data(), run.size());
  if (driver::g.byte_counter < end) driver::g.byte_counter = static_cast<int>(end);
  return 0;
}

// Gives each overlay call the image address of its target: frame number in bits 20..23.
int patch_overlay_calls() {
  if (driver::g.frame_count == 0) return 0;
  for (long u : g.updates) {
    long at = u - kNativeBase + kPatchOffset;
    if (at < 0 || at + kPatchBytes > driver::g.byte_counter) {
      std::fprintf(console(), msg::kFileFormatError, g.symbol_path.c_str());
      return -1;
    }
    std::uint8_t* p = &driver::g.image[at];
    long target = driver::image_address((long{p[0]} << 16) | (long{p[1]} << 8) | p[2]);
    p[0] = static_cast<std::uint8_t>(target >> 16);
    p[1] = static_cast<std::uint8_t>(target >> 8);
    p[2] = static_cast<std::uint8_t>(target);
  }
  return 0;
}

}  // namespace

int read_symbol_file(const std::string& path) {
  g.updates.clear();
  g.symbol_path = path;
  driver::g.frames[0].start = kNativeBase;
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) {
    std::fprintf(console(), msg::kImportOpenError, path.c_str());
    return -1;
  }
  SymbolReader r;
  char line[kLinePiece];
  while (std::fgets(line, sizeof line, f)) {
    if (read_symbol_line(r, line) < 0) {
      std::fclose(f);
      return -1;
    }
  }
  std::fclose(f);
  driver::Frame& last = driver::g.frames[r.frame];
  last.size = r.any_address ? r.last_address - last.start : 0;
  for (const driver::Function& fn : driver::g.functions) {
    if (fn.address == 0) {
      std::fprintf(console(), msg::kSymbolNotFound, fn.name.c_str());
      return -1;
    }
  }
  return 0;
}

int load_hex_file(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) {
    std::fprintf(console(), msg::kImportOpenError, path.c_str());
    return -1;
  }
  driver::g.byte_counter = 0;
  HexReader h{f};
  std::vector<std::uint8_t> run;
  long address = 0;
  for (;;) {
    if (next_run(h, run, address) < 0) {
      std::fclose(f);
      std::fprintf(console(), msg::kHexReadError, path.c_str());
      return -1;
    }
    if (run.empty()) break;
    if (copy_run(run, address) < 0) {
      std::fclose(f);
      return -1;
    }
  }
  std::fclose(f);
  if (patch_overlay_calls() < 0) return -1;
  std::fprintf(console(), msg::kImportSize, driver::g.byte_counter);
  return 0;
}

}  // namespace corvel::output
