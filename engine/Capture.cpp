#include "Capture.h"

namespace fendral {

} // namespace fendral
