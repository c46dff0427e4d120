// What a run shows: the transcript (printed as the run goes, so that a run
// that stops keeps what it printed), and the timeline of every signal for the
// waveform files.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace corvsim {

struct Change {
  long time;
  int signal;
  double value;
};

// A gap on the time axis where the firmware waits for a time this system does not know.
struct Gap {
  long time;
  long length;
  std::string label;
};

// A service call, for the picture.
struct Call {
  long time;
  std::string text;
};

class Timeline {
 public:
  // The transcript, or with `events` only the lines both forms of a program print alike.
  Timeline(std::FILE* console, bool events) : console_(console), events_(events) {}

  // One transcript line: the step, the code offset, what happened.
  void event(long step, long offset, const std::string& text);
  // One line of the event stream: no step, no address.
  void canonical(const std::string& text);
  // An instruction in the listing's notation (--trace).
  void trace(long step, long offset, const std::string& text);
  void change(long time, int signal, double value) { changes_.push_back({time, signal, value}); }
  void gap(long time, long length, const std::string& label) { gaps_.push_back({time, length, label}); }
  void call(long time, const std::string& text) { calls_.push_back({time, text}); }
  void serial(const std::string& text) { serial_.push_back(text); }
  void print_serial() const;

  const std::vector<Change>& changes() const { return changes_; }
  const std::vector<Gap>& gaps() const { return gaps_; }
  const std::vector<Call>& calls() const { return calls_; }

 private:
  std::FILE* console_;
  bool events_;
  std::vector<Change> changes_;
  std::vector<Gap> gaps_;
  std::vector<Call> calls_;
  std::vector<std::string> serial_;
};

}  // namespace corvsim
