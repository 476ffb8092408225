#pragma once

#include <QString>

namespace rotenu {

// The two notes of the help menu's blank item, lines joined by CR LF.
QString HiddenCostumeNote();
QString WaveFileNote();

} // namespace rotenu
