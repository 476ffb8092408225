#pragma once

#include <QString>

namespace rotenu {

// The executable's file name cut before its first full stop, first character unchanged and the
// rest in lower case: "ROTENU.EXE" gives "Rotenu", "rotenu" gives "rotenu".
QString ApplicationTitleFromFileName(const QString& fileName);
// The title of the running program; captions every message box.
QString ApplicationTitle();

} // namespace rotenu
