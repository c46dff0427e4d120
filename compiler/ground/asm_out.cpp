#include "ground/asm_out.hpp"

namespace corvel::ground {

AsmOut::~AsmOut() {
  if (file_) std::fclose(file_);
}

AsmOut::Opened AsmOut::open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "w");
  if (!file_) return Opened::kNoFile;
  data_.clear();
  code_.clear();
  return Opened::kOk;
}

bool AsmOut::close(std::string_view tail) {
  if (!file_) return true;
  code_.append(tail);
  bool failed = !data_.write_to(file_) || !code_.write_to(file_);
  failed = std::ferror(file_) != 0 || failed;
  failed = std::fclose(file_) != 0 || failed;
  file_ = nullptr;
  return !failed;
}

}  // namespace corvel::ground
