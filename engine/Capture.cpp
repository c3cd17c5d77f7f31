#include "Capture.h"

namespace fendral {

void capture(Game&)
{
}

} // namespace fendral
