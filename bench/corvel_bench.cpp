// Compilation speed of corvel, in-process, for programs near the size limits.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench_files.hpp"
#include "driver/command_line.hpp"
#include "driver/state.hpp"

namespace {

void run(const char* const* argv, int argc) {
  static std::FILE* null = std::fopen("/dev/null", "w");
  corvel::driver::g.console = null;
  if (corvel::driver::run_corvel(argc, argv) != 0) throw std::runtime_error("compilation failed");
}

void prepare(int functions, int repeat = 1) {
  static bool entered = false;
  if (!entered) bench::enter_scratch_folder();
  entered = true;
  std::string source = bench::program(functions, repeat);
  bench::write_file("prog.c", source);
  bench::write_file("control.dat", bench::board());
}

// Intermediate mode stays below 3500 bytes of image.
void BM_CompileIntermediate(benchmark::State& state) {
  prepare(26);
  const char* argv[] = {"corvel", "prog.c"};
  for (auto _ : state) run(argv, 2);
  state.SetItemsProcessed(state.iterations() * corvel::driver::g.byte_counter);
  state.counters["image_bytes"] = corvel::driver::g.byte_counter;
}
BENCHMARK(BM_CompileIntermediate)->Unit(benchmark::kMillisecond);

// Native mode up to 30000 bytes, with the assembly written.
void BM_CompileNative(benchmark::State& state) {
  prepare(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const char* argv[] = {"corvel", "prog.c", "-a"};
  for (auto _ : state) run(argv, 3);
  state.SetItemsProcessed(state.iterations() * corvel::driver::g.byte_counter);
  state.counters["image_bytes"] = corvel::driver::g.byte_counter;
}
BENCHMARK(BM_CompileNative)->Args({26, 1})->Args({70, 3})->Unit(benchmark::kMillisecond);

void BM_Listing(benchmark::State& state) {
  prepare(26);
  const char* argv[] = {"corvel", "prog.c", "-g"};
  for (auto _ : state) run(argv, 3);
}
BENCHMARK(BM_Listing)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
