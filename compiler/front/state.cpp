#include "front/state.hpp"

namespace corvel::front {

FrontState g;

}  // namespace corvel::front
