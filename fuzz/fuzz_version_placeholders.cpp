// ExpandVersionPlaceholders: the eleven placeholders, row by row, against the rule written out once
// more; the values come from the input and may hold placeholders themselves.

#include "FuzzCheck.h"
#include "about/VersionText.h"
#include "text/ShiftJisBytes.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using namespace rotenu;

namespace {

constexpr std::array<const char*, 7> kKeys = {"CompanyName",  "FileDescription", "FileVersion",
                                              "InternalName", "LegalCopyright",  "OriginalFilename",
                                              "ProductName"};
constexpr std::array<const char*, 11> kPlaceholders = {
    "%COMPANYNAME%",    "%FILEDESCRIPTION%",  "%FILEVERSION%", "%INTERNALNAME%",
    "%LEGALCOPYRIGHT%", "%ORIGINALFILENAME%", "%PRODUCTNAME%", "%MFILEVERSION%",
    "%NFILEVERSION%",   "%RFILEVERSION%",     "%BFILEVERSION%"};

// One row: every occurrence that starts on a character boundary, left to right, the inserted
// value not searched again.
std::string ReplaceRow(const std::string& text, std::string_view placeholder, std::string_view value) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        if (std::string_view(text).substr(at).starts_with(placeholder)) {
            out += value;
            at += placeholder.size();
        } else {
            const std::size_t length = rotenu::CharacterLength(text, at);
            out.append(text, at, length);
            at += length;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The dialog's About text is a few hundred bytes; longer inputs only slow the search down.
    if (size > 512)
        return 0;
    // The text, then the seven values, separated by 0x00 bytes; missing values are empty.
    std::vector<std::string> pieces(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && pieces.size() < 8)
            pieces.emplace_back();
        else
            pieces.back().push_back(static_cast<char>(data[i]));
    }
    pieces.resize(8);
    std::map<std::string, std::string, std::less<>> values;
    for (std::size_t k = 0; k < kKeys.size(); ++k)
        values[kKeys[k]] = pieces[k + 1];

    bool unknownKey = false;
    const VersionLookup lookup = [&](std::string_view key) -> std::string {
        const auto found = values.find(key);
        if (found == values.end()) {
            unknownKey = true;
            return {};
        }
        return found->second;
    };
    const std::string result = ExpandVersionPlaceholders(pieces[0], lookup);
    FUZZ_CHECK(!unknownKey);

    std::string expected = pieces[0];
    for (std::size_t row = 0; row < 7; ++row)
        expected = ReplaceRow(expected, kPlaceholders[row], values[kKeys[row]]);
    const std::array<std::string, 4> parts = SplitFileVersion(values["FileVersion"]);
    for (std::size_t part = 0; part < 4; ++part)
        expected = ReplaceRow(expected, kPlaceholders[7 + part], parts[part]);
    FUZZ_CHECK(result == expected);

    // A text without "%" comes back as it is.
    if (pieces[0].find('%') == std::string::npos)
        FUZZ_CHECK(result == pieces[0]);
    return 0;
}
