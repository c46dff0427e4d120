// Compilation speed of corvel, in-process, for programs near the size limits.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "bench_files.hpp"
#include "driver/command_line.hpp"

namespace {

using Console = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

Console null_console() { return Console(std::fopen("/dev/null", "w"), &std::fclose); }

void run(std::FILE* console, const char* const* argv, int argc) {
  if (corvel::driver::run_corvel(argc, argv, console) != 0) throw std::runtime_error("compilation failed");
}

void prepare(int functions, int repeat = 1) {
  bench::enter_scratch_folder_once();
  std::string source = bench::program(functions, repeat);
  bench::write_file("prog.c", source);
  bench::write_file("control.dat", bench::board());
}

// The image size the information file records.
long image_bytes() {
  std::ifstream in("prog.inf");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("size = ", 0) == 0) return std::stol(line.substr(7));
  return 0;
}

void report(benchmark::State& state) {
  long bytes = image_bytes();
  state.SetItemsProcessed(state.iterations() * bytes);
  state.counters["image_bytes"] = static_cast<double>(bytes);
}

// Intermediate mode stays below 3500 bytes of image.
void BM_CompileIntermediate(benchmark::State& state) {
  prepare(26);
  Console console = null_console();
  const char* argv[] = {"corvel", "prog.c"};
  for (auto _ : state) run(console.get(), argv, 2);
  report(state);
}
BENCHMARK(BM_CompileIntermediate)->Unit(benchmark::kMillisecond);

// Native mode up to 30000 bytes, with the assembly written.
void BM_CompileNative(benchmark::State& state) {
  prepare(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Console console = null_console();
  const char* argv[] = {"corvel", "prog.c", "-a"};
  for (auto _ : state) run(console.get(), argv, 3);
  report(state);
}
BENCHMARK(BM_CompileNative)->Args({26, 1})->Args({70, 3})->Unit(benchmark::kMillisecond);

void BM_Listing(benchmark::State& state) {
  prepare(26);
  Console console = null_console();
  const char* argv[] = {"corvel", "prog.c", "-g"};
  for (auto _ : state) run(console.get(), argv, 3);
}
BENCHMARK(BM_Listing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
