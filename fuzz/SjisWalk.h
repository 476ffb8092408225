#pragma once
// Walking a Shift_JIS byte string character by character, as the version dialog's rules read it:
// a lead byte takes the byte after it, whatever that is.

#include <cstddef>
#include <string_view>

inline bool FuzzIsLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

inline std::size_t FuzzCharacterLength(std::string_view text, std::size_t at) {
    return FuzzIsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}
