#include "Enemies.h"

namespace fendral {

} // namespace fendral
