// Line normalization, shared by the rule table and the assembly file: the
// comparison text (white space folded, comment and line end cut, numbers
// written "#NUM") and the number text (the last number of the line).
#pragma once

#include <string>
#include <string_view>

namespace trimmel {

inline constexpr int kNormalizedLimit = 79;  // longest comparison text or number text that can match

struct Normalized {
  std::string comparison;
  std::string number;

  // A line whose results pass 79 characters can take part in no rule.
  bool too_long() const;
};

Normalized normalize(std::string_view line);

}  // namespace trimmel
