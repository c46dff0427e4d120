#include <algorithm>
#include <cstdio>

#include "ground/file.hpp"
#include "waveforms.hpp"

namespace corvsim {

namespace {

constexpr double kLeft = 90, kWidth = 1100, kRow = 28, kTop = 40, kHigh = 16;

struct Picture {
  std::FILE* f;
  long end;
  double x(long time) const { return kLeft + kWidth * static_cast<double>(time) / static_cast<double>(std::max(end, 1L)); }
};

std::string escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else if (c == '"') out += "&quot;";
    else if (static_cast<unsigned char>(c) < 0x80) out += c;
    else out += '?';  // the program's CP932 bytes are not UTF-8
  }
  return out;
}

// The values of one signal as (time, value) steps, from 0 at time 0.
std::vector<std::pair<long, double>> steps_of(const Timeline& t, int signal) {
  std::vector<std::pair<long, double>> steps{{0, 0.0}};
  for (const Change& c : t.changes())
    if (c.signal == signal) steps.push_back({c.time, c.value});
  return steps;
}

void draw_signal(const Picture& p, const Timeline& t, int signal, double y, double scale) {
  std::vector<std::pair<long, double>> steps = steps_of(t, signal);
  std::string path;
  for (size_t i = 0; i < steps.size(); ++i) {
    double level = y + kHigh - kHigh * std::min(steps[i].second / scale, 1.0);
    long next = i + 1 < steps.size() ? steps[i + 1].first : p.end;
    char part[96];
    if (i == 0) std::snprintf(part, sizeof part, "M%.1f,%.1f H%.1f ", p.x(0), level, p.x(next));
    else std::snprintf(part, sizeof part, "V%.1f H%.1f ", level, p.x(next));
    path += part;
  }
  std::fprintf(p.f, "<path d=\"%s\" fill=\"none\" stroke=\"#1a5fb4\" stroke-width=\"1.5\"/>\n", path.c_str());
}

// The supplies and every signal that changes; the others stay low throughout.
std::vector<int> drawn_signals(const std::vector<Signal>& signals, const Timeline& t) {
  std::vector<bool> changes(signals.size(), false);
  for (const Change& c : t.changes()) changes[c.signal] = true;
  std::vector<int> drawn;
  for (size_t s = 0; s < signals.size(); ++s)
    if (changes[s] || signals[s].port_bit < 0) drawn.push_back(static_cast<int>(s));
  return drawn;
}

// A supply's value at each change, in volts.
void label_levels(const Picture& p, const Timeline& t, int signal, double y) {
  for (const Change& c : t.changes())
    if (c.signal == signal) std::fprintf(p.f, "<text x=\"%.1f\" y=\"%.1f\" font-size=\"10\">%g</text>\n", p.x(c.time) + 2, y - 2, c.value);
}

void draw_rows(const Picture& p, const std::vector<Signal>& signals, const std::vector<int>& drawn, const Timeline& t) {
  for (size_t row = 0; row < drawn.size(); ++row) {
    int s = drawn[row];
    double y = kTop + kRow * (row + 1);
    bool supply = signals[s].port_bit < 0;
    std::fprintf(p.f, "<text x=\"8\" y=\"%.1f\">%s%s</text>\n", y + kHigh - 2, escaped(signals[s].name).c_str(),
                 supply ? " (V)" : "");
    std::fprintf(p.f, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#ddd\"/>\n", kLeft, y + kHigh,
                 kLeft + kWidth, y + kHigh);
    draw_signal(p, t, s, y, supply ? 25.0 : 1.0);
    if (supply) label_levels(p, t, s, y);
  }
}

// Service calls along the top; waits as shaded gaps across all rows.
void draw_calls_and_gaps(const Picture& p, const Timeline& t, double height) {
  for (const Gap& g : t.gaps())
    std::fprintf(p.f, "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"url(#wait)\"><title>%s</title></rect>\n",
                 p.x(g.time), kTop, std::max(p.x(g.time + g.length) - p.x(g.time), 2.0), height, escaped(g.label).c_str());
  for (const Call& c : t.calls())
    std::fprintf(p.f, "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#c01c28\"><title>%s</title></line>\n",
                 p.x(c.time), kTop, p.x(c.time), kTop + kHigh, escaped(c.text).c_str());
}

}  // namespace

bool write_svg(const std::string& path, const std::vector<Signal>& signals, const Timeline& timeline, long end) {
  corvel::ground::File f = corvel::ground::open_file(path, "w");
  if (!f) return false;
  Picture p{f.get(), end};
  std::vector<int> drawn = drawn_signals(signals, timeline);
  double height = kRow * (drawn.size() + 1) + kHigh;
  std::fprintf(f.get(), "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" font-family=\"sans-serif\" font-size=\"12\">\n",
               kLeft + kWidth + 20, kTop + height + 30);
  std::fputs("<defs><pattern id=\"wait\" width=\"6\" height=\"6\" patternUnits=\"userSpaceOnUse\"><path d=\"M0,6 L6,0\" stroke=\"#999\"/></pattern></defs>\n", f.get());
  std::fputs("<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n", f.get());
  std::fprintf(f.get(), "<text x=\"8\" y=\"%.1f\">calls</text>\n", kTop + kHigh - 2);
  draw_calls_and_gaps(p, timeline, height);
  draw_rows(p, signals, drawn, timeline);
  std::fprintf(f.get(), "<text x=\"%.1f\" y=\"%.1f\">0</text><text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%ld steps</text>\n",
               kLeft, kTop + height + 20, kLeft + kWidth, kTop + height + 20, end);
  size_t quiet = signals.size() - drawn.size();
  if (quiet > 0)
    std::fprintf(f.get(), "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\" fill=\"#666\">%zu more pins and lines stay low; hatched: the firmware waits</text>\n",
                 kLeft + kWidth / 2, kTop + height + 20, quiet);
  std::fputs("</svg>\n", f.get());
  bool written = std::ferror(f.get()) == 0;
  return std::fclose(f.release()) == 0 && written;
}

}  // namespace corvsim
