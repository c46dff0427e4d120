#include "codegen/intermediate_code.hpp"

namespace corvel::codegen {

namespace {

constexpr bool operators_in_order() {
  int code = kFirstOperator;
  for (const OperatorDef& d : kOperators)
    if (static_cast<int>(d.op) != code++) return false;
  return code == kLastOperator + 1;
}
static_assert(operators_in_order(), "one row per operator code, in code order");
static_assert(def_of(Element::Operator).first == kFirstOperator + kOperatorBase);
static_assert(def_of(Element::Operator).last == kLastOperator + kOperatorBase);

// For each byte, the row of kElements it begins, or -1 for an unassigned byte.
constexpr std::array<signed char, 256> make_index() {
  std::array<signed char, 256> index{};
  for (auto& i : index) i = -1;
  for (int row = 0; row < static_cast<int>(std::size(kElements)); ++row)
    for (int b = kElements[row].first; b <= kElements[row].last; ++b) index[b] = static_cast<signed char>(row);
  return index;
}

constexpr std::array<signed char, 256> kIndex = make_index();

}  // namespace

const ElementDef& element_at(int byte) {
  int row = kIndex[byte & 0xFF];
  return row < 0 ? kUnassigned : kElements[row];
}

const OperatorDef& operator_def(int code) { return kOperators[code - kFirstOperator]; }

}  // namespace corvel::codegen
