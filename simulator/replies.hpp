// What the services that return a value return: a small text file, a line a
// service, its name and the values it returns, used in order.
//   GetTimer 0 100 250
//   RecByte 65 66     # comments run to the line's end
#pragma once

#include <deque>
#include <map>
#include <stdexcept>
#include <string>

namespace corvsim {

struct RepliesError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Replies {
 public:
  // Reads the file; throws RepliesError naming the file and line.
  void read(const std::string& path);
  // The next value for the service; 0 when none is left.
  long next(const std::string& service);

 private:
  std::map<std::string, std::deque<long>> values_;
};

}  // namespace corvsim
