#pragma once
// The text work of the version dialog, on Shift_JIS byte strings: filling the About template from
// the version strings, splitting the file version, and finding the address in a web page line.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rotenu {

// A version string by its key ("CompanyName", "FileVersion"...); "" when there is none.
using VersionLookup = std::function<std::string(std::string_view key)>;

// Replaces, row by row in this order, every %COMPANYNAME%, %FILEDESCRIPTION%, %FILEVERSION%,
// %INTERNALNAME%, %LEGALCOPYRIGHT%, %ORIGINALFILENAME%, %PRODUCTNAME% by its version string and
// %MFILEVERSION%, %NFILEVERSION%, %RFILEVERSION%, %BFILEVERSION% by the parts of "FileVersion".
// Case-sensitive; an inserted value is not searched again by its own row, but later rows see it.
std::string ExpandVersionPlaceholders(std::string_view text, const VersionLookup& lookup);

// "1.5.0.0" gives "1", "5", "0", "0"; text after a fourth dot is dropped; parts stay text.
std::array<std::string, 4> SplitFileVersion(std::string_view version);

// The line from its first "http://" (else "ftp://", else "file://", letter case ignored) to its
// end, in the line's own letter case; "" when it holds none of the three.
std::string ExtractWebAddress(std::string_view line);

// The lines of a web page list: a line ends at CR LF, a lone CR or a lone LF; no line follows a
// final line break. An empty text gives no lines.
std::vector<std::string> SplitWebPageList(std::string_view pages);

} // namespace rotenu
