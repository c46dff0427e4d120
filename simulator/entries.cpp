#include "entries.hpp"

#include <cctype>
#include <fstream>
#include <sstream>

namespace corvsim {

namespace {

// H'1F, D'31, B'11111, O'37, 0x1F or 31.
bool number_of(std::string word, std::uint32_t& value) {
  int base = 10;
  if (word.size() > 2 && word[1] == '\'') {
    char radix = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
    base = radix == 'H' ? 16 : radix == 'B' ? 2 : radix == 'O' || radix == 'Q' ? 8 : radix == 'D' ? 10 : 0;
    word = word.substr(2);
  }
  if (base == 0 || word.empty()) return false;
  size_t used = 0;
  try {
    value = static_cast<std::uint32_t>(std::stoul(word, &used, word.rfind("0x", 0) == 0 ? 16 : base));
  } catch (const std::exception&) {
    return false;
  }
  return used == word.size();
}

}  // namespace

std::map<std::uint32_t, std::string> read_entries(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw EntriesError("cannot read the firmware's entry points from " + path);
  std::map<std::uint32_t, std::string> entries;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    std::istringstream words(line.substr(0, line.find(';')));
    std::string name, equ, value;
    if (!(words >> name >> equ) || (equ != ".EQU" && equ != ".equ")) continue;
    if (!name.empty() && name.back() == ':') name.pop_back();
    std::uint32_t address = 0;
    if (!(words >> value) || !number_of(value, address))
      throw EntriesError(path + ":" + std::to_string(number) + ": not an address: " + line);
    entries[address] = name;
  }
  if (entries.empty()) throw EntriesError(path + " names no entry point (NAME .EQU H'1000)");
  return entries;
}

}  // namespace corvsim
