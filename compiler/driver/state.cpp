#include "driver/state.hpp"

namespace corvel::driver {

DriverState g;

}  // namespace corvel::driver
