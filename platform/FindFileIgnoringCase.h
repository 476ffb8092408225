#pragma once

#include <QString>

namespace rotenu {

// The file that a name denotes when letter case does not matter, as it does not on Windows: the
// name itself if such a file exists, else the first file of its directory (in name order) whose
// name differs from it only in case; empty if there is none.
QString FindFileIgnoringCase(const QString& fileName);

} // namespace rotenu
