// The program's version, shown in the window and written into every replay
#pragma once

namespace fendral {

constexpr char ProgramVersion[] = "1.2";

} // namespace fendral
