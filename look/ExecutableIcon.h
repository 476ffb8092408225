#pragma once

#include <QIcon>

namespace rotenu {

// The program's own icon, embedded in the executable at 32 x 32 and 16 x 16; a null icon when
// the executable carries none. Every window shows it, and the version dialog pictures it.
QIcon ExecutableIcon();

} // namespace rotenu
