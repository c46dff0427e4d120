// Scratch files for the benchmarks, and a generated control program of a
// chosen size that uses the common statement kinds.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace bench {

inline void enter_scratch_folder() {
  char pattern[] = "/tmp/corvel-bench-XXXXXX";
  if (!mkdtemp(pattern) || chdir(pattern) != 0) throw std::runtime_error("no scratch folder");
}

// Enters a scratch folder unless the process already stands in one.
inline void enter_scratch_folder_once() {
  char here[4096];
  if (!getcwd(here, sizeof here) || std::string(here).rfind("/tmp/corvel-bench-", 0) != 0) enter_scratch_folder();
}

inline void write_file(const std::string& name, const std::string& text) {
  std::FILE* f = std::fopen(name.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + name);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

inline const char* board() { return "#1 10\n#2 11\n#3 12\n#4 13\n#VPP1 30\n#VCC1 40\n"; }

// A program of `functions` functions of about 125 code bytes for each `repeat`.
inline std::string program(int functions, int repeat = 1) {
  std::string text = "[CODE]\n#port BUS \"1,2,3,4\"\nWORD total, limit = 300;\nBYTE count, flags, table[16];\n";
  for (int f = 0; f < functions; ++f) {
    text += "step" + std::to_string(f) + "()\n{\n";
    for (int r = 0; r < repeat; ++r) {
      text += "    count = count + 1;\n    total = total * 2 - count / 3;\n";
      text += "    if (count > 10 && flags != 0) { table[count] = count; } else { flags = 1; }\n";
      text += "    while (count < 5) { count = count + 1; if (count == 3) break; }\n";
      text += "    BUS = total;\n    #P30 = 1;\n    Wait(0, 10);\n    SendByte(count);\n";
    }
    text += "}\n";
  }
  text += "main()\n{\n";
  for (int f = 0; f < functions; ++f) text += "    step" + std::to_string(f) + "();\n";
  return text + "}\n";
}

}  // namespace bench
