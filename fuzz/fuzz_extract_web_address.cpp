// ExtractWebAddress: the address of a web page line, against the rule written out once more.

#include "FuzzCheck.h"
#include "about/VersionText.h"
#include "text/ShiftJisBytes.h"

#include <cctype>
#include <cstdint>
#include <string>

using namespace rotenu;

namespace {

bool StartsWithIgnoringAsciiCase(std::string_view text, std::size_t at, std::string_view scheme) {
    if (text.size() - at < scheme.size())
        return false;
    for (std::size_t i = 0; i < scheme.size(); ++i) {
        char c = text[at + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + ('a' - 'A'));
        if (c != scheme[i])
            return false;
    }
    return true;
}

// Where the scheme first starts on a character boundary, or npos.
std::size_t FirstOnBoundary(std::string_view line, std::string_view scheme) {
    for (std::size_t at = 0; at < line.size(); at += rotenu::CharacterLength(line, at))
        if (StartsWithIgnoringAsciiCase(line, at, scheme))
            return at;
    return std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const std::string address = ExtractWebAddress(line);

    std::string expected;
    for (std::string_view scheme : {"http://", "ftp://", "file://"}) {
        const std::size_t at = FirstOnBoundary(line, scheme);
        if (at != std::string_view::npos) {
            expected = std::string(line.substr(at));
            break;
        }
    }
    FUZZ_CHECK(address == expected);
    // The address is the end of the line itself and begins with its scheme.
    FUZZ_CHECK(line.ends_with(address));
    if (!address.empty())
        FUZZ_CHECK(StartsWithIgnoringAsciiCase(address, 0, "http://") ||
                   StartsWithIgnoringAsciiCase(address, 0, "ftp://") ||
                   StartsWithIgnoringAsciiCase(address, 0, "file://"));
    return 0;
}
