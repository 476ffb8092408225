#pragma once
// Parts of the program that the first window does not need (the sound player, the desktop's
// browser look-up) are shared modules loaded on first use, so that neither they nor the libraries
// they pull in cost anything at start-up.

#include <QtGlobal>

namespace rotenu {

// The entry point `symbol` of the part module `part` (for instance "rotenu-sound"), loading the
// module on the first call; nullptr when the module or the symbol cannot be found. Safe to call
// from any thread. A build-tree program loads the build tree's modules, an installed one only the
// modules installed beside it (<libdir>/rotenu, found from the program's own folder), so that
// neither picks up the other's.
QFunctionPointer ResolvePartSymbol(const char* part, const char* symbol);

} // namespace rotenu
