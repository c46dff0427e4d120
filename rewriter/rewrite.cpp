#include "rewrite.hpp"

#include "line_reader.hpp"
#include "messages.hpp"

namespace trimmel {

StreamResult stream_through_window(Window& window, const RuleTable& rules, std::FILE* in, std::FILE* out) {
  window.head = window.fill = 0;
  LineReader reader(in);
  LineWriter writer(out);
  std::string_view piece;
  bool continues = false;
  bool in_long_line = false;
  while (reader.next(piece, continues)) {
    take_line(window, rules, piece, in_long_line || continues, writer);
    in_long_line = continues;
  }
  if (reader.failed()) return StreamResult::kReadFailed;
  flush_window(window, writer);
  return writer.finish() ? StreamResult::kOk : StreamResult::kWriteFailed;
}

bool rewrite_file(Run& run, const std::string& backup, const std::string& target) {
  std::FILE* in = std::fopen(backup.c_str(), "rb");
  if (!in) {
    run.console.say_path(msg::kFileOpenError, backup);
    return false;
  }
  // Exclusive creation: the target name was freed by the rename, and whatever
  // stands there now is not ours to overwrite.
  std::FILE* out = std::fopen(target.c_str(), "wbx");
  if (!out) {
    std::fclose(in);
    run.console.say_path(msg::kFileOpenError, target);
    return false;
  }
  StreamResult result = stream_through_window(run.window, run.rules, in, out);
  std::fclose(in);
  if (std::fclose(out) != 0 && result == StreamResult::kOk) result = StreamResult::kWriteFailed;
  if (result == StreamResult::kOk) return true;
  std::remove(target.c_str());
  if (result == StreamResult::kReadFailed) run.console.say_path(msg::kFileReadError, backup);
  else run.console.say_path(msg::kFileWriteError, target);
  return false;
}

}  // namespace trimmel
