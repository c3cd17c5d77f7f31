#include "Level.h"

namespace fendral {

} // namespace fendral
