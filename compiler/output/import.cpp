#include "output/import.hpp"

#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ground/diagnostics.hpp"
#include "ground/file.hpp"
#include "ground/limits.hpp"
#include "ground/text.hpp"
#include "output/info_file.hpp"

namespace corvel::output {

namespace {

using ground::Diag;
using ground::fail;

constexpr int kLinePiece = 256;
constexpr size_t kRunCapacity = ground::kHexRunCapacity;
constexpr long kNativeBase = ground::kNativeBase;
constexpr int kPatchOffset = 3;  // the 24-bit address inside the MOV.L after an update_ label
constexpr int kPatchBytes = 3;

bool is_hex(int c) { return ground::is_hex_digit(c); }

long read_hex_run(const char*& p) {
  unsigned long value = 0;
  for (; is_hex(static_cast<unsigned char>(*p)); ++p) {
    unsigned long digit = ground::is_digit(static_cast<unsigned char>(*p)) ? *p - '0' : (*p | 0x20) - 'a' + 10;
    if (value <= 0xFFFFFFFFul) value = value * 16 + digit;
  }
  return static_cast<long>(value > 0xFFFFFFFFul ? 0xFFFFFFFFul : value);
}

struct SymbolReader {
  Imported& imported;
  int frame = 0;
  bool any_address = false;
  long last_address = 0;
};

// False when no function of the information file has that name.
bool assign_function(ground::Image& tables, const std::string& name, long address) {
  for (ground::Function& f : tables.functions) {
    if (strcasecmp(f.name.c_str(), name.c_str()) == 0) {
      f.address = address;
      return true;
    }
  }
  return false;
}

void take_frame_label(SymbolReader& r, long address) {
  if (r.frame + 1 >= ground::kMaxFrames) fail(Diag::FileFormat, r.imported.symbol_path.c_str());
  ground::Frame* frames = r.imported.tables.frames.data();
  frames[r.frame].size = address - frames[r.frame].start;
  frames[++r.frame].start = address;
}

// Functions, frames and overlay calls lie in the image: an address outside it
// comes from a symbol file of another image, or of an unlinked object.
void check_in_image(const SymbolReader& r, long address) {
  if (address < kNativeBase || address > kNativeBase + ground::kBaseLimit)
    fail(Diag::FileFormat, r.imported.symbol_path.c_str());
}

// Classifies one address/name pair.
void take_symbol(SymbolReader& r, const std::string& name, long address) {
  r.any_address = true;
  r.last_address = address;
  bool update = name.compare(0, 7, "update_") == 0, frame = name.compare(0, 6, "frame_") == 0;
  if (update || frame) check_in_image(r, address);
  if (update) {
    if (static_cast<int>(r.imported.updates.size()) >= ground::kMaxUpdates) fail(Diag::UpdateOverflow, ground::kMaxUpdates);
    r.imported.updates.push_back(address);
  } else if (frame) {
    take_frame_label(r, address);
  } else if (!name.empty() && name[0] == '_' && assign_function(r.imported.tables, name.substr(1), address)) {
    check_in_image(r, address);
  }
}

void read_symbol_line(SymbolReader& r, const char* p) {
  while (is_hex(static_cast<unsigned char>(*p))) {
    long address = read_hex_run(p);
    if (*p) ++p;  // the separator, whatever it is
    const char* start = p;
    while (*p && !ground::is_space(static_cast<unsigned char>(*p))) ++p;
    take_symbol(r, std::string(start, p), address);
    while (ground::is_space(static_cast<unsigned char>(*p))) ++p;
  }
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
  for (const char* p = line + 1; ground::is_letter(static_cast<unsigned char>(*p)) || ground::is_digit(static_cast<unsigned char>(*p)); p += 2) {
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

void copy_run(ground::Image& image, const std::vector<std::uint8_t>& run, long address) {
  long offset = address - kNativeBase;
  long end = offset + static_cast<long>(run.size());
  if (offset < 0 || end >= ground::kBaseLimit) fail(Diag::ImportTooBig, static_cast<int>(end), ground::kBaseLimit);
  std::memcpy(&image.bytes[offset], run.data(), run.size());
  if (image.size < end) image.size = static_cast<int>(end);
}

// Gives each overlay call the image address of its target: frame number in bits 20..23.
void patch_overlay_calls(ground::Image& image, const Imported& imported) {
  if (image.frame_count == 0) return;
  for (long u : imported.updates) {
    long at = u - kNativeBase + kPatchOffset;
    if (at < 0 || at + kPatchBytes > image.size) fail(Diag::FileFormat, imported.symbol_path.c_str());
    std::uint8_t* p = &image.bytes[at];
    long target = image.image_address((long{p[0]} << 16) | (long{p[1]} << 8) | p[2]);
    p[0] = static_cast<std::uint8_t>(target >> 16);
    p[1] = static_cast<std::uint8_t>(target >> 8);
    p[2] = static_cast<std::uint8_t>(target);
  }
}

}  // namespace

bool read_hex_runs(std::FILE* f, const RunTaker& take) {
  HexReader h{f};
  std::vector<std::uint8_t> run;
  long address = 0;
  for (;;) {
    if (next_run(h, run, address) < 0) return false;
    if (run.empty()) return true;
    take(address, run);
  }
}

namespace {

void read_symbols(std::FILE* f, SymbolReader& r) {
  char line[kLinePiece];
  while (std::fgets(line, sizeof line, f)) read_symbol_line(r, line);
}

}  // namespace

Imported read_symbol_file(const std::string& path, const ground::Image& info) {
  Imported imported{info, {}, path};
  imported.tables.frames[0].start = kNativeBase;
  ground::File f = ground::open_file(path, "r");
  if (!f) fail(Diag::ImportOpen, path.c_str());
  SymbolReader r{imported};
  read_symbols(f.get(), r);
  f.reset();
  ground::Frame& last = imported.tables.frames[r.frame];
  last.size = r.any_address ? r.last_address - last.start : 0;
  for (const ground::Function& fn : imported.tables.functions)
    if (fn.address == 0) fail(Diag::SymbolNotFound, fn.name.c_str());
  return imported;
}

ground::Image load_hex_file(const std::string& path, const Imported& imported) {
  ground::File f = ground::open_file(path, "r");
  if (!f) fail(Diag::ImportOpen, path.c_str());
  ground::Image image = imported.tables;
  image.size = 0;
  bool readable = read_hex_runs(f.get(), [&](long address, const std::vector<std::uint8_t>& run) {
    copy_run(image, run, address);
  });
  f.reset();
  if (!readable) fail(Diag::HexRead, path.c_str());
  patch_overlay_calls(image, imported);
  return image;
}

ground::Image import_program(const ImportFiles& files) {
  Imported imported = read_symbol_file(files.symbols, read_info_file(files.info));
  ground::Image image = load_hex_file(files.hex, imported);
  write_info_file(files.info, 1, imported.tables);
  return image;
}

}  // namespace corvel::output
