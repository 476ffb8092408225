#pragma once
// What the resulting-ID field shows for a score: its text and its two colours.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace rotenu {

extern const std::array<std::string_view, 10> SECTION_ID_NAMES;

// A colour of the ID field: a plain RGB value, or one of the two system colours that only the
// widget can resolve from its palette.
struct Color {
    enum class Kind { Rgb, BtnFace, WindowText };
    Kind kind = Kind::Rgb;
    std::uint8_t red = 0, green = 0, blue = 0;

    static constexpr Color Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return {Kind::Rgb, r, g, b};
    }
    static constexpr Color BtnFace() { return {Kind::BtnFace, 0, 0, 0}; }
    static constexpr Color WindowText() { return {Kind::WindowText, 0, 0, 0}; }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color clBlack = Color::Rgb(0, 0, 0);
inline constexpr Color clGreen = Color::Rgb(0, 128, 0);
inline constexpr Color clOlive = Color::Rgb(128, 128, 0);
inline constexpr Color clPurple = Color::Rgb(128, 0, 128);
inline constexpr Color clRed = Color::Rgb(255, 0, 0);
inline constexpr Color clLime = Color::Rgb(0, 255, 0);
inline constexpr Color clYellow = Color::Rgb(255, 255, 0);
inline constexpr Color clBlue = Color::Rgb(0, 0, 255);
inline constexpr Color clFuchsia = Color::Rgb(255, 0, 255);
inline constexpr Color clAqua = Color::Rgb(0, 255, 255);
inline constexpr Color clWhite = Color::Rgb(255, 255, 255);
inline constexpr Color clOrange = Color::Rgb(255, 136, 0);
inline constexpr Color clBtnFace = Color::BtnFace();
inline constexpr Color clWindowText = Color::WindowText();
} // namespace colors

struct SectionIdColors {
    Color background;
    Color text;
    friend constexpr bool operator==(const SectionIdColors&, const SectionIdColors&) = default;
};

// Rows 0-9 by section ID; row 10 is used for a negative score (the empty name).
extern const std::array<SectionIdColors, 11> SECTION_ID_COLORS;

struct HiddenCostumeName {
    std::string_view name;
    std::string_view suffix;
};
// The nine names that bring out a hidden costume colour, each with the suffix the ID text gets.
extern const std::array<HiddenCostumeName, 9> HIDDEN_COSTUME_NAMES;

// "ID:5 PINKAL (Code:5)" plus the hidden-costume suffix of the name, or "" for a negative score.
std::string FormatSectionIdText(int score, std::string_view name);
SectionIdColors SectionIdColorsFor(int score);

} // namespace rotenu
