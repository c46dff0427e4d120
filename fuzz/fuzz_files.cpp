#include "fuzz_files.hpp"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace fuzz {

void enter_scratch_folder() {
  static bool entered = false;
  if (entered) return;
  char pattern[] = "/tmp/corvel-fuzz-XXXXXX";
  if (!mkdtemp(pattern) || chdir(pattern) != 0) abort();
  entered = true;
}

void write(const std::string& name, const std::string& bytes) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) abort();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string take_part(const std::uint8_t*& data, std::size_t& size, char separator) {
  const void* end = std::memchr(data, separator, size);
  std::size_t n = end ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(end) - data) : size;
  std::string part(reinterpret_cast<const char*>(data), n);
  std::size_t used = end ? n + 1 : n;
  data += used;
  size -= used;
  return part;
}

}  // namespace fuzz
