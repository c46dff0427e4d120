#include <cstdio>
#include <map>

#include "ground/file.hpp"
#include "waveforms.hpp"

namespace corvsim {

namespace {

// Identifiers of printable characters, '!' to '~', as many as it takes.
std::string identifier(int n) {
  std::string id;
  do {
    id.push_back(static_cast<char>('!' + n % 94));
    n /= 94;
  } while (n > 0);
  return id;
}

void write_header(std::FILE* f, const std::vector<Signal>& signals) {
  std::fputs("$version corvsim 1.0 $end\n$comment one time unit is one step of the program $end\n", f);
  std::fputs("$timescale 1 us $end\n$scope module board $end\n", f);
  for (size_t s = 0; s < signals.size(); ++s) {
    bool supply = signals[s].port_bit < 0;
    std::fprintf(f, "$var %s %s %s %s $end\n", supply ? "real" : "wire", supply ? "64" : "1", identifier(s).c_str(),
                 signals[s].name.c_str());
  }
  std::fprintf(f, "$var wire 1 %s waiting $end\n", identifier(signals.size()).c_str());
  std::fputs("$upscope $end\n$enddefinitions $end\n", f);
}

void write_value(std::FILE* f, bool real, int signal, double value) {
  if (real) std::fprintf(f, "r%g %s\n", value, identifier(signal).c_str());
  else std::fprintf(f, "%d%s\n", value != 0 ? 1 : 0, identifier(signal).c_str());
}

// Every change, the waiting marker's among them, by time.
std::multimap<long, Change> changes_by_time(const std::vector<Signal>& signals, const Timeline& timeline) {
  std::multimap<long, Change> by_time;
  for (const Change& c : timeline.changes()) by_time.emplace(c.time, c);
  int waiting = static_cast<int>(signals.size());
  for (const Gap& g : timeline.gaps()) {
    by_time.emplace(g.time, Change{g.time, waiting, 1});
    by_time.emplace(g.time + g.length, Change{g.time + g.length, waiting, 0});
  }
  return by_time;
}

}  // namespace

bool write_vcd(const std::string& path, const std::vector<Signal>& signals, const Timeline& timeline, long end) {
  corvel::ground::File f = corvel::ground::open_file(path, "w");
  if (!f) return false;
  write_header(f.get(), signals);
  std::fputs("#0\n$dumpvars\n", f.get());
  for (size_t s = 0; s <= signals.size(); ++s) write_value(f.get(), s < signals.size() && signals[s].port_bit < 0, s, 0);
  std::fputs("$end\n", f.get());
  long now = 0;
  for (const auto& [time, c] : changes_by_time(signals, timeline)) {
    if (time != now) std::fprintf(f.get(), "#%ld\n", now = time);
    write_value(f.get(), c.signal < static_cast<int>(signals.size()) && signals[c.signal].port_bit < 0, c.signal, c.value);
  }
  if (end > now) std::fprintf(f.get(), "#%ld\n", end);
  bool written = std::ferror(f.get()) == 0;
  return std::fclose(f.release()) == 0 && written;
}

}  // namespace corvsim
