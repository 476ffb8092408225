#include "sectionid/SectionIdDisplay.h"

namespace rotenu {

const std::array<std::string_view, 10> SECTION_ID_NAMES = {
    "VIRIDIA", "GREENNILL", "SKYLY", "BLUEFULL",   "PURPLENUM",
    "PINKAL",  "REDRIA",    "ORAN",  "YELLOWBOZE", "WHITILL",
};

using namespace colors;
const std::array<SectionIdColors, 11> SECTION_ID_COLORS = {{
    {clGreen, clWhite},
    {clLime, clBlack},
    {clAqua, clBlack},
    {clBlue, clWhite},
    {clPurple, clWhite},
    {clFuchsia, clBlack},
    {clRed, clBlack},
    {clOrange, clBlack},
    {clYellow, clBlack},
    {clWhite, clBlack},
    {clBtnFace, clBlack},
}};

const std::array<HiddenCostumeName, 9> HIDDEN_COSTUME_NAMES = {{
    {"BRELOTKAMU", " HUmar-NewColor"},
    {"ZEFIRNOTAW", " HUnewearl-NewColor"},
    {"PLOMARGETI", " HUcast-NewColor"},
    {"QUENDAVIRS", " RAmar-NewColor"},
    {"MOKTIFLERA", " RAcat-NewColor"},
    {"SWANTREBOL", " RAcaseal-NewColor"},
    {"GRIVENDOLK", " FOmarl-NewColor"},
    {"TULPEKARIM", " FOnewm-NewColor"},
    {"HAZMORTENI", " FOnewearl-NewColor"},
}};

std::string FormatSectionIdText(int score, std::string_view name) {
    if (score < 0)
        return {};
    const int id = score % 10;
    std::string text = "ID:";
    text += static_cast<char>('0' + id);
    text += ' ';
    text += SECTION_ID_NAMES[id];
    text += " (Code:";
    text += std::to_string(score);
    text += ')';
    for (const auto& row : HIDDEN_COSTUME_NAMES) {
        if (name == row.name) {
            text += row.suffix;
            break;
        }
    }
    return text;
}

SectionIdColors SectionIdColorsFor(int score) {
    return score < 0 ? SECTION_ID_COLORS[10] : SECTION_ID_COLORS[score % 10];
}

} // namespace rotenu
