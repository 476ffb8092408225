#pragma once

#include <QString>

namespace rotenu {

// Whether any installed font can show Japanese text; without one every label shows boxes.
bool HasJapaneseFont();

// The one line that tells the user what to install.
QString MissingJapaneseFontMessage();

} // namespace rotenu
