#include "replies.hpp"

#include <fstream>
#include <sstream>

namespace corvsim {

namespace {

long value_of(const std::string& word, const std::string& where) {
  size_t used = 0;
  long v = -1;
  try {
    v = std::stol(word, &used, 0);
  } catch (const std::exception&) {
  }
  if (used != word.size() || v < 0 || v > 0xFFFF)
    throw RepliesError(where + ": a reply is a number from 0 to 65535, not " + word);
  return v;
}

}  // namespace

void Replies::read(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw RepliesError("cannot read the replies file " + path);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    std::istringstream words(line.substr(0, line.find('#')));
    std::string service, word;
    if (!(words >> service)) continue;
    while (words >> word) values_[service].push_back(value_of(word, path + ":" + std::to_string(number)));
  }
}

long Replies::next(const std::string& service) {
  auto it = values_.find(service);
  if (it == values_.end() || it->second.empty()) return 0;
  long v = it->second.front();
  it->second.pop_front();
  return v;
}

}  // namespace corvsim
