// Runs the examples of the guides in docs/, so that no guide can drift from
// the programs. Each fenced block says in its info string what it is; the
// first word is the language, for the renderer, the second what the test does:
//
//   ```c compiles [ARGS] [file=NAME] [encoding=cp932]
//                             writes the block to NAME (prog.c) and runs
//                             "corvel NAME ARGS", which must succeed
//   ```c refused N [ARGS] ...  the same, but corvel must fail and report
//                             "line N"; N is "-" for a message without a number
//   ```dat file NAME [encoding=cp932]
//                             writes the block to NAME for the blocks after it
//   ```sh run [exit=N]         runs the block with sh -e; it must end with N (0)
//   ```text output             the lines that the last run printed (CP932
//                             shown as UTF-8), in order, blanks at line ends
//                             ignored; a line "..." stands for any lines
//   ```asm expect NAME         the file NAME as the last run left it
//   ```rul quote PATH          the block stands word for word in PATH, a file
//                             of the source tree
//   ```sh gnu-tools            commands that need the GNU tools for the
//                             H8/300H: not run, nor the output block after them
//
// A block without a second word is shown as it is; it must not look like a
// program, a board or rule file, or a command, so that no example escapes.
// The blocks of one guide run in order in one scratch folder, which starts
// with the files of examples/ (the board file control.dat among them) and the
// rule table rewriter/rules/corvel.rul, and in which the programs are on PATH.
#include <gtest/gtest.h>
#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.hpp"

namespace fs = std::filesystem;
using corvel::testing::read_file;
using corvel::testing::TempDir;

namespace {

struct Block {
  std::string where;               // guide:line of the opening fence
  std::vector<std::string> words;  // the info string
  std::string text;                // the lines, each with its line end
  std::string word(size_t i) const { return i < words.size() ? words[i] : ""; }
};

std::vector<Block> blocks_of(const fs::path& guide) {
  std::vector<Block> blocks;
  std::istringstream in(read_file(guide));
  std::string line, fence;
  int number = 0;
  Block* open = nullptr;
  while (std::getline(in, line)) {
    ++number;
    size_t ticks = line.find_first_not_of('`');
    if (!open && line.rfind("```", 0) == 0) {
      fence = line.substr(0, ticks == std::string::npos ? line.size() : ticks);
      blocks.push_back({guide.filename().string() + ":" + std::to_string(number), {}, {}});
      std::istringstream info(line.substr(fence.size()));
      for (std::string w; info >> w;) blocks.back().words.push_back(w);
      open = &blocks.back();
    } else if (open && line.rfind(fence, 0) == 0 && line.find_first_not_of('`') == std::string::npos) {
      open = nullptr;
    } else if (open) {
      open->text += line + "\n";
    }
  }
  if (open) ADD_FAILURE() << open->where << ": the block is never closed";
  return blocks;
}

// `text` from one encoding into another. A byte that cannot be converted is
// kept as it is, or ends the text when `keep_bad` is false.
std::string converted(const std::string& text, const char* to, const char* from, bool keep_bad) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return text;
  std::string out;
  char* in = const_cast<char*>(text.data());
  size_t left = text.size();
  while (left > 0) {
    char buffer[256];
    char* to_at = buffer;
    size_t room = sizeof buffer;
    size_t r = iconv(cd, &in, &left, &to_at, &room);
    out.append(buffer, static_cast<size_t>(to_at - buffer));
    if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
    if (!keep_bad) break;
    out.push_back(*in++), --left;
  }
  iconv_close(cd);
  return out;
}

// What a run printed, CP932 shown as UTF-8.
std::string utf8_of(const std::string& cp932) { return converted(cp932, "UTF-8", "CP932", true); }

std::string cp932_of(const std::string& utf8) { return converted(utf8, "CP932", "UTF-8", false); }

struct Run {
  int status = -1;
  std::string out;  // stdout and stderr, as UTF-8
};

Run shell(const fs::path& dir, const std::string& script) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    std::string path = fs::path(CORVEL_BIN).parent_path().string() + ":" + (getenv("PATH") ? getenv("PATH") : "");
    setenv("PATH", path.c_str(), 1);
    dup2(fds[1], 1);
    dup2(fds[1], 2);
    close(fds[0]);
    close(fds[1]);
    execl("/bin/sh", "sh", "-e", "-c", script.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string raw;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) raw.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), utf8_of(raw)};
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line.substr(0, line.find_last_not_of(" \t\r") + 1));
  return lines;
}

// The expected lines from e onward match the printed lines from p onward; "..." takes any number.
bool match_from(const std::vector<std::string>& want, size_t e, const std::vector<std::string>& got, size_t p) {
  if (e == want.size()) return true;
  if (want[e] == "...") {
    for (size_t q = p; q <= got.size(); ++q)
      if (match_from(want, e + 1, got, q)) return true;
    return false;
  }
  return p < got.size() && want[e] == got[p] && match_from(want, e + 1, got, p + 1);
}

bool printed(const std::string& want, const std::string& got) {
  std::vector<std::string> w = lines_of(want), g = lines_of(got);
  for (size_t start = 0; start <= g.size(); ++start)
    if (match_from(w, 0, g, start)) return true;
  return false;
}

// Looks like something the test should run: a program, a board or rule file, or a command.
bool looks_runnable(const std::string& text) {
  static const std::regex kRunnable(
      R"((^|\n)\s*(\[CODE\]|#(port|define|frame|asm|VPP|VCC|GND|CVPP|CVCC|\d)|(BYTE|WORD)\s|[A-Za-z_]\w*\s*\(\s*\)\s*\{?\s*(\n|$)|[^\n]*;\s*(//[^\n]*)?(\n|$)|[ocd]:|(corvel|trimmel|corvlink)\s))",
      std::regex::icase);
  return std::regex_search(text, kRunnable);
}

class Guide {
 public:
  explicit Guide(const fs::path& path) : path_(path) {
    for (const auto& example : fs::directory_iterator(fs::path(SOURCE_DIR) / "examples"))
      if (example.is_regular_file()) fs::copy_file(example.path(), dir_.path() / example.path().filename());
    fs::copy_file(fs::path(SOURCE_DIR) / "rewriter/rules/corvel.rul", dir_.path() / "corvel.rul");
  }

  void check() {
    for (const Block& b : blocks_of(path_)) {
      std::string verb = b.word(1);
      if (verb == "compiles" || verb == "refused") program(b);
      else if (verb == "file") write(b, b.word(2));
      else if (verb == "run") run(b);
      else if (verb == "output") output(b);
      else if (verb == "expect") expect(b);
      else if (verb == "quote") quote(b);
      else if (verb == "gnu-tools") last_ = {}, skipped_ = true;
      else if (!verb.empty()) ADD_FAILURE() << b.where << ": unknown tag " << verb;
      else if (looks_runnable(b.text)) ADD_FAILURE() << b.where << ": an example without a tag:\n" << b.text;
    }
  }

 private:
  static std::string option(const Block& b, const std::string& key, const std::string& otherwise) {
    for (const std::string& w : b.words)
      if (w.rfind(key + "=", 0) == 0) return w.substr(key.size() + 1);
    return otherwise;
  }

  void write(const Block& b, const std::string& name) {
    std::string text = option(b, "encoding", "") == "cp932" ? cp932_of(b.text) : b.text;
    corvel::testing::write_file(dir_.path() / name, text);
  }

  void program(const Block& b) {
    bool refused = b.word(1) == "refused";
    std::string name = option(b, "file", "prog.c"), command = "corvel " + name;
    for (size_t i = refused ? 3 : 2; i < b.words.size(); ++i)
      if (b.words[i].find('=') == std::string::npos) command += " " + b.words[i];
    write(b, name);
    record(b, shell(dir_.path(), command));
    if (!refused) {
      EXPECT_EQ(last_.status, 0) << b.where << ": " << command << " failed:\n" << last_.out;
      return;
    }
    EXPECT_EQ(last_.status, 1) << b.where << ": " << command << " was not refused:\n" << last_.out;
    std::smatch number;
    bool numbered = std::regex_search(last_.out, number, std::regex(R"((^|\n)line (\d+)\n)"));
    EXPECT_EQ(numbered ? number[2].str() : "-", b.word(2)) << b.where << ": " << command << " printed\n" << last_.out;
  }

  void run(const Block& b) {
    record(b, shell(dir_.path(), b.text));
    EXPECT_EQ(last_.status, std::stoi(option(b, "exit", "0"))) << b.where << ": printed\n" << last_.out;
  }

  void record(const Block& b, Run run) {
    last_ = std::move(run);
    last_where_ = b.where;
    skipped_ = false;
  }

  void output(const Block& b) {
    if (skipped_) return;
    ASSERT_FALSE(last_where_.empty()) << b.where << ": no run before this output";
    EXPECT_TRUE(printed(b.text, last_.out)) << b.where << ": the run at " << last_where_ << " printed\n" << last_.out;
  }

  void expect(const Block& b) {
    fs::path file = dir_.path() / b.word(2);
    ASSERT_TRUE(fs::exists(file)) << b.where << ": no file " << b.word(2);
    EXPECT_EQ(lines_of(read_file(file)), lines_of(b.text)) << b.where << ": " << b.word(2) << " differs";
  }

  void quote(const Block& b) {
    std::string source = read_file(fs::path(SOURCE_DIR) / b.word(2));
    EXPECT_NE(source.find(b.text), std::string::npos) << b.where << ": not found in " << b.word(2);
  }

  fs::path path_;
  TempDir dir_;
  Run last_;
  std::string last_where_;
  bool skipped_ = false;
};

// The string literals of a messages header: one text for each declaration,
// or each element of an array, with its escapes resolved.
std::vector<std::string> texts_of(const std::string& header) {
  std::vector<std::string> texts;
  std::string text;
  bool in_text = false, any = false;
  for (size_t i = 0; i < header.size(); ++i) {
    char c = header[i];
    if (!in_text && c == '/' && header.compare(i, 2, "//") == 0) i = header.find('\n', i);
    else if (!in_text && c == '"') in_text = any = true;
    else if (!in_text && (c == ',' || c == ';') && any) texts.push_back(text), text.clear(), any = false;
    else if (in_text && c == '"') in_text = false;
    else if (in_text && c == '\\') {
      char e = header[++i];
      if (e == 'x') {
        size_t end = header.find_first_not_of("0123456789abcdefABCDEF", i + 1);
        text.push_back(static_cast<char>(std::stoi(header.substr(i + 1, end - i - 1), nullptr, 16)));
        i = end - 1;
      } else {
        text.push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e);
      }
    } else if (in_text) text.push_back(c);
    if (i == std::string::npos) break;
  }
  for (std::string& t : texts) {
    while (!t.empty() && t.back() == '\n') t.pop_back();
    t = utf8_of(t);
  }
  return texts;
}

// The `spans` of a guide's text, fenced blocks left out.
std::vector<std::string> inline_code(const std::string& guide) {
  std::vector<std::string> spans;
  std::istringstream in(guide);
  bool fenced = false;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("```", 0) == 0) fenced = !fenced;
    if (fenced || line.rfind("```", 0) == 0) continue;
    for (size_t open = line.find('`'); open != std::string::npos; open = line.find('`', open)) {
      size_t close = line.find('`', open + 1);
      if (close == std::string::npos) break;
      spans.push_back(line.substr(open + 1, close - open - 1));
      open = close + 1;
    }
  }
  return spans;
}

std::vector<fs::path> guides() {
  std::vector<fs::path> paths;
  for (const auto& entry : fs::directory_iterator(DOCS_DIR))
    if (entry.path().extension() == ".md") paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  return paths;
}

// Every text that corvel and trimmel print stands in messages.md, and every
// Japanese text quoted there is one of them, exactly.
TEST(Docs, EveryMessageIsInTheGuide) {
  std::string guide = read_file(fs::path(DOCS_DIR) / "messages.md");
  std::set<std::string> known;
  for (const char* header : {"compiler/ground/messages.hpp", "rewriter/messages.hpp"}) {
    for (const std::string& text : texts_of(read_file(fs::path(SOURCE_DIR) / header))) {
      known.insert(text);
      EXPECT_NE(guide.find("`" + text + "`"), std::string::npos) << "messages.md does not quote `" << text << "`";
    }
  }
  for (const std::string& span : inline_code(guide)) {
    bool japanese = std::any_of(span.begin(), span.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (japanese) {
      EXPECT_TRUE(known.count(span)) << "messages.md quotes `" << span << "`, which no program prints";
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (const fs::path& path : guides()) {
    std::string name = path.stem().string();
    std::replace(name.begin(), name.end(), '-', '_');
    ::testing::RegisterTest("Guide", name.c_str(), nullptr, nullptr, __FILE__, __LINE__,
                            [path]() -> ::testing::Test* {
                              struct Check : ::testing::Test {
                                explicit Check(fs::path p) : guide(std::move(p)) {}
                                void TestBody() override { Guide(guide).check(); }
                                fs::path guide;
                              };
                              return new Check(path);
                            });
  }
  return RUN_ALL_TESTS();
}
