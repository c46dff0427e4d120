#include "ground/asm_out.hpp"

namespace corvel::ground {

AsmOut::~AsmOut() {
  if (code_) std::fclose(code_);
  if (data_) std::fclose(data_);
}

AsmOut::Opened AsmOut::open(const std::string& path) {
  data_ = std::fopen(path.c_str(), "w");
  if (!data_) return Opened::kNoFile;
  code_ = std::tmpfile();
  if (code_) return Opened::kOk;
  std::fclose(data_);
  data_ = nullptr;
  return Opened::kNoTemporary;
}

void AsmOut::data(std::string_view text) {
  if (data_) std::fwrite(text.data(), 1, text.size(), data_);
}

void AsmOut::code(std::string_view text) {
  if (code_) std::fwrite(text.data(), 1, text.size(), code_);
}

void AsmOut::vdata(const char* format, va_list args) {
  if (data_) std::vfprintf(data_, format, args);
}

void AsmOut::vcode(const char* format, va_list args) {
  if (code_) std::vfprintf(code_, format, args);
}

bool AsmOut::close(std::string_view tail) {
  if (!data_) return true;
  std::rewind(code_);
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, code_)) > 0;) std::fwrite(buffer, 1, n, data_);
  bool failed = std::ferror(code_) != 0;
  std::fclose(code_);
  data(tail);
  failed = std::ferror(data_) != 0 || failed;
  failed = std::fclose(data_) != 0 || failed;
  code_ = data_ = nullptr;
  return !failed;
}

}  // namespace corvel::ground
