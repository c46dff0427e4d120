#include "fuzz_files.hpp"

#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace fuzz {

namespace {

std::string folder;

void remove_folder() {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace

std::string scratch(const std::string& name) {
  if (folder.empty()) {
    char pattern[] = "/tmp/corvel-fuzz-XXXXXX";  // no '.' in it: corvel takes the extension from the last one
    if (!mkdtemp(pattern)) abort();
    folder = pattern;
    std::atexit(remove_folder);
  }
  return folder + "/" + name;
}

void write(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
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
