// The assembly output of native mode: the data stream and the code stream are
// built in memory and written at the end, the data first, into the .asm file.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

#include "ground/text.hpp"

namespace corvel::ground {

class AsmOut {
 public:
  // kNoTemporary stays for the callers' sake: the code stream needs no file.
  enum class Opened { kOk, kNoFile, kNoTemporary };

  AsmOut() = default;
  AsmOut(const AsmOut&) = delete;
  AsmOut& operator=(const AsmOut&) = delete;
  ~AsmOut();

  // Creates the .asm file; on a failure nothing stays open.
  Opened open(const std::string& path);
  bool is_open() const { return file_ != nullptr; }

  void data(std::string_view text) { data_.append(text); }
  void code(std::string_view text) { code_.append(text); }
  void vdata(const char* format, va_list args);
  void vcode(const char* format, va_list args);

  // Writes the data stream, the code stream and `tail`, and closes the file.
  // False when anything was not written whole.
  bool close(std::string_view tail);

 private:
  std::FILE* file_ = nullptr;
  TextBuffer data_;
  TextBuffer code_;
};

}  // namespace corvel::ground
