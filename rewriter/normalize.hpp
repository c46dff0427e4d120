// Line normalization, shared by the rule table and the assembly file: the
// comparison text (white space folded, comment and line end cut, numbers
// written "#NUM") and the number text (the last number of the line).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace trimmel {

inline constexpr int kNormalizedLimit = 79;  // longest comparison text or number text that can match

// Each byte of a line becomes at most four of its comparison text ("#NUM").
inline constexpr size_t kComparisonGrowth = 4;

// Where normalize_into put its results. A number never holds a blank, so the
// number text is a piece of the line itself, its suffix h still as written.
struct NormalizedSizes {
  size_t comparison = 0;
  size_t number_start = 0;
  size_t number = 0;
};

// Writes the comparison text of line to comparison, which has room for
// kComparisonGrowth * line.size() bytes.
NormalizedSizes normalize_into(std::string_view line, char* comparison);

// The number text as the rules write it: a suffix h becomes H.
void copy_number(std::string_view line, const NormalizedSizes& sizes, char* number);

struct Normalized {
  std::string comparison;
  std::string number;

  // A line whose results pass 79 characters can take part in no rule.
  bool too_long() const;
};

Normalized normalize(std::string_view line);

}  // namespace trimmel
