// The compiler's folders are layers that depend one way: a file may include
// headers of its own layer and of the layers below it, never of one above or
// beside it. And checks are named, never written as numbers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// What each layer may include.
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"ground", {"ground"}},
    {"codegen", {"ground", "codegen"}},
    {"front", {"ground", "codegen", "front"}},
    {"output", {"ground", "codegen", "output"}},
    {"driver", {"ground", "codegen", "front", "output", "driver"}},
};

std::string read(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every source file of a layer, with its text.
std::map<fs::path, std::string> sources_of(const std::string& layer) {
  std::map<fs::path, std::string> files;
  for (const auto& entry : fs::directory_iterator(fs::path(COMPILER_DIR) / layer))
    if (entry.path().extension() == ".cpp" || entry.path().extension() == ".hpp") files[entry.path()] = read(entry.path());
  return files;
}

TEST(Layering, EveryLayerHasSources) {
  for (const auto& [layer, allowed] : kAllowed) EXPECT_FALSE(sources_of(layer).empty()) << layer;
}

TEST(Layering, NoFileIncludesALayerAboveOrBesideItsOwn) {
  const std::regex include(R"(#include\s+"([a-z_]+)/)");
  for (const auto& [layer, allowed] : kAllowed) {
    for (const auto& [file, text] : sources_of(layer)) {
      for (std::sregex_iterator it(text.begin(), text.end(), include), end; it != end; ++it) {
        std::string target = (*it)[1];
        EXPECT_TRUE(allowed.count(target)) << file.filename() << " (" << layer << ") includes " << target;
      }
    }
  }
}

TEST(Layering, ChecksAreNamedNotNumbered) {
  const std::regex numbered(R"(\bfail\w*\(\s*\d)");
  for (const auto& [layer, allowed] : kAllowed)
    for (const auto& [file, text] : sources_of(layer))
      EXPECT_FALSE(std::regex_search(text, numbered)) << file.filename() << " fails a check by its number";
}

}  // namespace
