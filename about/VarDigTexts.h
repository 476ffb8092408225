#pragma once
// The three texts that the Help menu's version item hands to the version dialog: Shift_JIS byte
// strings, lines joined by CR LF.

#include <string>

namespace rotenu {

extern const std::string ABOUT_TEMPLATE;
extern const std::string CREDITS_TEXT;
extern const std::string WEB_PAGES_TEXT;

} // namespace rotenu
