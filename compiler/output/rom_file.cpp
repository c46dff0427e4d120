#include "output/rom_file.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "ground/diagnostics.hpp"
#include "ground/file.hpp"
#include "ground/text.hpp"
#include "output/import.hpp"

namespace corvel::output {

namespace {

constexpr int kBytesPerRecord = 16;
constexpr long kImageRomAddress = 64;  // the image follows the 16 frame-table entries
constexpr int kDataRecord = 0x00;
constexpr int kSegmentRecord = 0x02;
constexpr const char* kEndRecord = ":00000001FF\n";

// The records are built in memory and written in one piece.
struct RecordWriter {
  ground::TextBuffer text;
  bool open = false;
  int type = kDataRecord;
  long address = 0;  // of the record, relative to the segment base
  std::array<std::uint8_t, kBytesPerRecord> data{};
  int count = 0;
  long segment_base = 0;
  long last_address = -1;
};

bool is_blank(const RecordWriter& w) {
  for (int i = 0; i < w.count; ++i)
    if (w.data[i] != 0xFF) return false;
  return true;
}

// ":", the count, the address, the type, the data and the checksum, each byte as two hex digits.
constexpr size_t kRecordLength = 1 + 2 * (4 + kBytesPerRecord + 1) + 1;

char* put_summed(char* w, unsigned byte, unsigned& sum) {
  sum += byte;
  return ground::put_hex_byte(w, byte);
}

void flush(RecordWriter& w) {
  if (!w.open) return;
  w.open = false;
  if (w.type == kDataRecord && is_blank(w)) return;
  unsigned sum = 0;
  char* out = w.text.room(kRecordLength);
  *out++ = ':';
  out = put_summed(out, static_cast<unsigned>(w.count), sum);
  out = put_summed(out, static_cast<unsigned>((w.address >> 8) & 0xFF), sum);
  out = put_summed(out, static_cast<unsigned>(w.address & 0xFF), sum);
  out = put_summed(out, static_cast<unsigned>(w.type), sum);
  for (int i = 0; i < w.count; ++i) out = put_summed(out, w.data[i], sum);
  out = ground::put_hex_byte(out, (256 - (sum & 0xFF)) & 0xFF);
  *out++ = '\n';
  w.text.commit(out);
}

void open_record(RecordWriter& w, int type, long address) {
  w.open = true;
  w.type = type;
  w.address = address;
  w.count = 0;
}

void append_data(RecordWriter& w, int value) { w.data[w.count++] = static_cast<std::uint8_t>(value); }

// The segment base ÷ 16, high byte first, in an even number of hex digits (at least four).
void write_segment_record(RecordWriter& w) {
  unsigned long paragraph = static_cast<unsigned long>(w.segment_base) >> 4;
  int length = 2;
  while (length < 8 && (paragraph >> (8 * length)) != 0) ++length;
  open_record(w, kSegmentRecord, 0);
  for (int i = length - 1; i >= 0; --i) append_data(w, static_cast<int>((paragraph >> (8 * i)) & 0xFF));
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
  if (w.open && w.count < kBytesPerRecord && address == w.last_address + 1) {
    append_data(w, value);
    w.last_address = address;
    return;
  }
  flush(w);
  open_record(w, kDataRecord, address - w.segment_base);
  append_data(w, value);
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
  int size = std::min(image.size, ground::kImageCapacity);
  put_frame_table(w, image);
  for (int k = 0; k < size; ++k) put_byte(w, kImageRomAddress + k, image.bytes[k]);
  flush(w);
  w.text.append(kEndRecord);
  std::fwrite(w.text.view().data(), 1, w.text.size(), file);
  // A ROM file that was not written whole must not pass for a result.
  bool failed = std::ferror(file) != 0;
  failed = std::fclose(file) != 0 || failed;
  if (failed) ground::fail(ground::Diag::FileOpen, path.c_str());
}

namespace {

constexpr long kRomCapacity = kImageRomAddress + ground::kImageCapacity;

// The frame table of ROM addresses 0..63; the image's size is where its last frame ends.
void take_frame_table(ground::Image& image, const std::vector<int>& rom) {
  for (int i = 0; i < ground::kMaxFrames; ++i) {
    ground::Frame& f = image.frames[i];
    f.start = (rom[4 * i] * 256 + rom[4 * i + 1] - kImageRomAddress) & 0xFFFF;
    f.size = rom[4 * i + 2] * 256 + rom[4 * i + 3];
    if (f.size > 0 && i > 0) image.frame_count = i + 1;
    image.size = static_cast<int>(std::max<long>(image.size, std::min(f.start + f.size, long{ground::kImageCapacity})));
  }
}

}  // namespace

ground::Image read_rom_file(const std::string& path) {
  ground::File f = ground::open_file(path, "r");
  if (!f) ground::fail(ground::Diag::ImportOpen, path.c_str());
  std::vector<int> rom(kRomCapacity, 0xFF);
  bool readable = read_hex_runs(f.get(), [&](long address, const std::vector<std::uint8_t>& run) {
    long end = address + static_cast<long>(run.size());
    if (address < 0 || end > kRomCapacity) ground::fail(ground::Diag::ImportTooBig, static_cast<int>(end), static_cast<int>(kRomCapacity));
    std::copy(run.begin(), run.end(), rom.begin() + address);
  });
  if (!readable) ground::fail(ground::Diag::HexRead, path.c_str());
  ground::Image image;
  take_frame_table(image, rom);
  for (int k = 0; k < image.size; ++k) image.bytes[k] = static_cast<std::uint8_t>(rom[kImageRomAddress + k]);
  return image;
}

}  // namespace corvel::output
