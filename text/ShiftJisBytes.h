#pragma once
// The byte classes of Shift_JIS (code page 932), for code that walks its byte strings without the
// codec. Standard C++ only.

#include <cstddef>
#include <string_view>

namespace rotenu {

// A byte that starts a double-byte character.
constexpr bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A byte that may stand second in a double-byte character.
constexpr bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The bytes of the character that starts at `at`: a lead byte takes the byte after it, whatever
// that is, unless it stands last.
constexpr std::size_t CharacterLength(std::string_view text, std::size_t at) {
    return IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

} // namespace rotenu
