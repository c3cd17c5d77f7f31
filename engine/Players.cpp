#include "Players.h"

namespace fendral {

} // namespace fendral
