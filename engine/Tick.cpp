#include "Tick.h"

namespace fendral {

} // namespace fendral
