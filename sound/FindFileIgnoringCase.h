#pragma once

#include <QByteArray>

namespace rotenu {

// The regular file that a path denotes when the letter case of its last name does not matter, as
// it does not on Windows: the path itself if it is a regular file, else the first regular file of
// its folder (in name order) whose name differs from it only in case; empty if there is none.
// Paths are the file system's own bytes, so that a folder whose name is not valid in the locale's
// encoding (Shift_JIS names unpacked on a UTF-8 system) is found all the same.
QByteArray FindFileIgnoringCase(const QByteArray& path);

} // namespace rotenu
