// The short names by which the game shows keys; a key without a name cannot steer or pause
#pragma once

class QString;

namespace fendral {

// The name of a virtual-key code, or the empty text for a key the game does not accept.
QString keyName(int code);

} // namespace fendral
