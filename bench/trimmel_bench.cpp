// Rewriting speed of trimmel with the shipped rules over corvel's assembly.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "bench_files.hpp"
#include "command_line.hpp"

namespace {

// Assembly-like text of `lines` lines in the shapes corvel writes.
std::string assembly(int lines) {
  static const char* const kShapes[] = {
      "\tMOV.B\t@_count,R0L\n", "\tXOR.B\tR0H,R0H\n", "\tPUSH.W\tR0\n", ";M_CHAR/M_INT line=747\n",
      "\tMOV.W\t#H'3,R0\n",     "\tPUSH.W\tR0\n",     "\tPOP.W\tR0\n",  "\tPOP.W\tR1\n",
      "\tADD.W\tR1,R0\n",       "\tPUSH.W\tR0\n",     ";S_BYTE line=2535\n", "\tPOP.W\tR0\n",
      "\tMOV.B\tR0L,@_count\n",
  };
  std::string text;
  for (int i = 0; i < lines; ++i) text += kShapes[i % 13];
  return text;
}

void BM_Rewrite(benchmark::State& state) {
  static bool entered = false;
  if (!entered) bench::enter_scratch_folder();
  entered = true;
  std::string text = assembly(static_cast<int>(state.range(0)));
  std::FILE* null = std::fopen("/dev/null", "w");
  const char* argv[] = {"trimmel", RULES_FILE, "prog.asm", "prog.bak"};
  for (auto _ : state) {
    state.PauseTiming();
    bench::write_file("prog.asm", text);
    state.ResumeTiming();
    if (trimmel::run_trimmel(4, argv, null) != 0) throw std::runtime_error("rewrite failed");
  }
  std::fclose(null);
  state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
}
BENCHMARK(BM_Rewrite)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
