#include "output/rom_file.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "ground/diagnostics.hpp"
#include "ground/file.hpp"
#include "ground/text_buffer.hpp"
#include "output/import.hpp"

namespace corvel::output {

namespace {

constexpr int kBytesPerRecord = 16;
constexpr long kImageRomAddress = 64;  // the image follows the 16 frame-table entries
constexpr int kFrameTableSize = 4 * ground::kMaxFrames;
constexpr const char* kEndRecord = ":00000001FF\n";
constexpr long kRomCapacity = kImageRomAddress + ground::kImageCapacity;
// Every ROM address fits the 16-bit address of a data record: the file needs
// no segment records, and the records are the 16-byte pieces of the ROM.
static_assert(kRomCapacity <= 0x10000 && kImageRomAddress % kBytesPerRecord == 0);

// ":", the count, the address, the type 00, the data and the checksum, each byte as two hex digits.
constexpr size_t kRecordLength = 1 + 2 * (4 + kBytesPerRecord + 1) + 1;

char* put_summed(char* w, unsigned byte, unsigned& sum) {
  sum += byte;
  return ground::put_hex_byte(w, byte);
}

// A record whose bytes are all 255 is left out: the ROM is 255 where no record writes.
bool is_blank(const std::uint8_t* bytes, int count) {
  for (int i = 0; i < count; ++i)
    if (bytes[i] != 0xFF) return false;
  return true;
}

void write_record(ground::TextBuffer& text, long address, const std::uint8_t* bytes, int count) {
  unsigned sum = 0;
  char* out = text.room(kRecordLength);
  *out++ = ':';
  out = put_summed(out, static_cast<unsigned>(count), sum);
  out = put_summed(out, static_cast<unsigned>((address >> 8) & 0xFF), sum);
  out = put_summed(out, static_cast<unsigned>(address & 0xFF), sum);
  out = put_summed(out, 0, sum);
  for (int i = 0; i < count; ++i) out = put_summed(out, bytes[i], sum);
  out = ground::put_hex_byte(out, (256 - (sum & 0xFF)) & 0xFF);
  *out++ = '\n';
  text.commit(out);
}

void write_records(ground::TextBuffer& text, long address, const std::uint8_t* bytes, int size) {
  for (int at = 0; at < size; at += kBytesPerRecord) {
    int count = std::min(kBytesPerRecord, size - at);
    if (!is_blank(bytes + at, count)) write_record(text, address + at, bytes + at, count);
  }
}

// Each frame's start as a ROM address and its size, high bytes first.
std::array<std::uint8_t, kFrameTableSize> frame_table(const ground::Image& image) {
  std::array<std::uint8_t, kFrameTableSize> table{};
  int i = 0;
  for (const ground::Frame& frame : image.frames) {
    long start = frame.start + kImageRomAddress;
    for (long value : {start, frame.size}) {
      table[i++] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
      table[i++] = static_cast<std::uint8_t>(value & 0xFF);
    }
  }
  return table;
}

}  // namespace

void write_rom_file(const std::string& path, const ground::Image& image) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) ground::fail(ground::Diag::FileOpen, path.c_str());
  ground::TextBuffer text;
  std::array<std::uint8_t, kFrameTableSize> table = frame_table(image);
  write_records(text, 0, table.data(), kFrameTableSize);
  write_records(text, kImageRomAddress, image.bytes.data(), std::min(image.size, ground::kImageCapacity));
  text.append(kEndRecord);
  // A ROM file that was not written whole must not pass for a result.
  bool failed = !text.write_to(file);
  failed = std::ferror(file) != 0 || failed;
  failed = std::fclose(file) != 0 || failed;
  if (failed) ground::fail(ground::Diag::FileOpen, path.c_str());
}

namespace {

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
