// The assembly output of native mode: the data stream and the code stream are
// built in memory and written at the end, the data first, into the .asm file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "ground/format.hpp"

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
  // A line formatted from its arguments (see append_args()).
  void data_line(const char* format, const FormatArg* args) { append_args(data_, formats_, format, args); }
  void code_line(const char* format, const FormatArg* args) { append_args(code_, formats_, format, args); }

  // Writes the data stream, the code stream and `tail`, and closes the file.
  // False when anything was not written whole.
  bool close(std::string_view tail);

 private:
  std::FILE* file_ = nullptr;
  TextBuffer data_;
  TextBuffer code_;
  FormatCache formats_;
};

}  // namespace corvel::ground
