// A stdio file that closes itself, so that a failed check unwinding through
// a reader leaves no file open.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace corvel::ground {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

using File = std::unique_ptr<std::FILE, FileCloser>;

inline File open_file(const std::string& path, const char* mode) { return File(std::fopen(path.c_str(), mode)); }

}  // namespace corvel::ground
