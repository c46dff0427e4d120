#include "output/rom_file.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "ground/diagnostics.hpp"

namespace corvel::output {

namespace {

constexpr int kBytesPerRecord = 16;
constexpr long kImageRomAddress = 64;  // the image follows the 16 frame-table entries
constexpr int kDataRecord = 0x00;
constexpr int kSegmentRecord = 0x02;
constexpr const char* kEndRecord = ":00000001FF\n";

struct RecordWriter {
  std::FILE* file = nullptr;
  bool open = false;
  int type = kDataRecord;
  long address = 0;  // of the record, relative to the segment base
  std::vector<std::uint8_t> data;
  long segment_base = 0;
  long last_address = -1;
};

bool is_blank(const RecordWriter& w) {
  for (std::uint8_t b : w.data)
    if (b != 0xFF) return false;
  return true;
}

void flush(RecordWriter& w) {
  if (!w.open) return;
  w.open = false;
  if (w.type == kDataRecord && is_blank(w)) return;
  unsigned sum = static_cast<unsigned>(w.data.size()) + ((w.address >> 8) & 0xFF) + (w.address & 0xFF) + w.type;
  std::fprintf(w.file, ":%02X%04lX%02X", static_cast<unsigned>(w.data.size()), w.address & 0xFFFF, w.type);
  for (std::uint8_t b : w.data) {
    std::fprintf(w.file, "%02X", b);
    sum += b;
  }
  std::fprintf(w.file, "%02X\n", (256 - (sum & 0xFF)) & 0xFF);
}

void open_record(RecordWriter& w, int type, long address) {
  w.open = true;
  w.type = type;
  w.address = address;
  w.data.clear();
}

// The segment base ÷ 16, high byte first, in an even number of hex digits (at least four).
void write_segment_record(RecordWriter& w) {
  unsigned long paragraph = static_cast<unsigned long>(w.segment_base) >> 4;
  std::vector<std::uint8_t> bytes;
  do {
    bytes.insert(bytes.begin(), static_cast<std::uint8_t>(paragraph & 0xFF));
    paragraph >>= 8;
  } while (paragraph != 0 || bytes.size() < 2);
  open_record(w, kSegmentRecord, 0);
  w.data = bytes;
  flush(w);
}

void put_byte(RecordWriter& w, long address, int value) {
  while (address < w.segment_base) {
    flush(w);
    w.segment_base = 0;
  }
  if (address - w.segment_base > 0xFFFF) {
    w.segment_base = address & ~0xFFFFL;
    flush(w);
    write_segment_record(w);
  }
  if (w.open && static_cast<int>(w.data.size()) < kBytesPerRecord && address == w.last_address + 1) {
    w.data.push_back(static_cast<std::uint8_t>(value));
    w.last_address = address;
    return;
  }
  flush(w);
  open_record(w, kDataRecord, address - w.segment_base);
  w.data.push_back(static_cast<std::uint8_t>(value));
  w.last_address = address;
}

void put_frame_table(RecordWriter& w, const ground::Image& image) {
  long address = 0;
  for (const ground::Frame& frame : image.frames) {
    long start = frame.start + kImageRomAddress;
    put_byte(w, address++, static_cast<int>((start >> 8) & 0xFF));
    put_byte(w, address++, static_cast<int>(start & 0xFF));
    put_byte(w, address++, static_cast<int>((frame.size >> 8) & 0xFF));
    put_byte(w, address++, static_cast<int>(frame.size & 0xFF));
  }
}

}  // namespace

void write_rom_file(const std::string& path, const ground::Image& image) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) ground::fail(ground::Diag::FileOpen, path.c_str());
  RecordWriter w;
  w.file = file;
  put_frame_table(w, image);
  int size = std::min(image.size, ground::kImageCapacity);
  for (int k = 0; k < size; ++k) put_byte(w, kImageRomAddress + k, image.bytes[k]);
  flush(w);
  std::fputs(kEndRecord, file);
  // A ROM file that was not written whole must not pass for a result.
  bool failed = std::ferror(file) != 0;
  failed = std::fclose(file) != 0 || failed;
  if (failed) ground::fail(ground::Diag::FileOpen, path.c_str());
}

}  // namespace corvel::output
