// What a run acts on and shows, whichever form the program takes: the
// image's bytes by offset, the board, the supplies, and the transcript and
// event stream that tell what happens. The byte-code machine and the native
// one both drive it, so that the two forms of one program can be compared.
#pragma once

#include <stdexcept>
#include <string>

#include "board_model.hpp"
#include "ground/board.hpp"
#include "ground/image.hpp"
#include "replies.hpp"
#include "timeline.hpp"

namespace corvel::codegen {}

namespace corvsim {

namespace codegen = corvel::codegen;

struct Limits {
  long max_steps = 10'000'000;
  int max_depth = 256;  // calls of the program's functions
  int max_stack = 32;   // values on the expression stack
  long wait_gap = 20;   // time units a wait takes on the time axis
};

// A run that cannot go on: the offset where it stopped and why.
struct Stop : std::runtime_error {
  Stop(long at, const std::string& why) : std::runtime_error(why), offset(at) {}
  long offset;
};

class Model {
 public:
  Model(corvel::ground::Image image, const corvel::ground::Board& board, Timeline& timeline, Replies& replies,
        Limits limits);

  corvel::ground::Image& image() { return image_; }
  const corvel::ground::Image& image() const { return image_; }
  const BoardModel& board() const { return board_; }
  Replies& replies() { return replies_; }
  const Limits& limits() const { return limits_; }

  // The image's bytes: reads anywhere in it, writes in the data area.
  int data(long offset) const;
  void store_data(long offset, int byte);

  // Port bits, port blocks and supplies; each change is shown.
  int bit(int bit) const;
  int direction(int bit) const { return board_.direction(bit); }
  void write_bit(int bit, int value);
  void write_direction(int bit, int value);
  long block_word(int block, bool direction) const { return board_.block_word(image_, block, direction); }
  void write_block(int block, bool direction, long word);
  // A port bit, a bit's direction or a port block's register by the code the
  // byte code lays and the native code passes to the firmware.
  long port(int code) const;
  void set_port(int code, long value);
  void set_supply(Supply s, int tenths);

  // A line of the transcript, and a line of the event stream that both forms print alike.
  void event(const std::string& text) { timeline_.event(steps, at, text); }
  void canonical(const std::string& text) { timeline_.canonical(text); }
  void wait(const std::string& service);
  void end(const std::string& why);
  Timeline& timeline() { return timeline_; }

  long steps = 0;
  long time = 0;
  long at = 0;  // the offset of the instruction being run
  bool running = true;
  bool leaving = false;  // the return service leaves the function

 private:
  corvel::ground::Image image_;
  BoardModel board_;
  Timeline& timeline_;
  Replies& replies_;
  Limits limits_;
};

// An operator of an expression as the native code computes it, on unsigned
// 16-bit words; stops where its meaning is open.
long operate(int op, long left, long right, long at);

}  // namespace corvsim
