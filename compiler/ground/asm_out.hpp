// The assembly output of native mode: the data stream is the .asm file
// itself, the code stream a temporary file appended to it at the end.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

namespace corvel::ground {

class AsmOut {
 public:
  enum class Opened { kOk, kNoFile, kNoTemporary };

  AsmOut() = default;
  AsmOut(const AsmOut&) = delete;
  AsmOut& operator=(const AsmOut&) = delete;
  ~AsmOut();

  // Creates the .asm file and the code stream; on a failure nothing stays open.
  Opened open(const std::string& path);
  bool is_open() const { return data_ != nullptr; }

  void data(std::string_view text);
  void code(std::string_view text);
  void vdata(const char* format, va_list args);
  void vcode(const char* format, va_list args);

  // Appends the code stream to the data stream, then `tail`, and closes both.
  // False when anything was not written whole.
  bool close(std::string_view tail);

 private:
  std::FILE* data_ = nullptr;
  std::FILE* code_ = nullptr;
};

}  // namespace corvel::ground
