#include "sectionid/Suggestions.h"

namespace rotenu {

const std::array<std::vector<std::string>, 10> SUGGESTION_LISTS = {{
    {"(", "2", "<", "F", "P", "Z", "d", "n", "x"},
    {"()", ")", "3", "=", "G", "Q", "[", "e", "o", "y"},
    {"==", "<>", " ", "*", "4", ">", "H", "R", "\\", "f", "p", "z"},
    {"!", "+", "5", "?", "I", "S", "]", "g", "q", "{"},
    {"**", "\\\\", "[]", "  ", "\"", ",", "6", "@", "J", "T", "^", "h", "r", "|"},
    {"#", "-", "7", "A", "K", "U", "_", "i", "s", "}"},
    {"!!", "++", "??", "$", ".", "8", "B", "L", "V", "`", "j", "t", "~"},
    {"%", "/", "9", "C", "M", "W", "a", "k", "u"},
    {"\"\"", ",,", "@@", "^^", "{}", "&", "0", ":", "D", "N", "X", "b", "l", "v"},
    {"'", "1", ";", "E", "O", "Y", "c", "m", "w"},
}};

int MissingAmount(int score, int wanted) {
    int d = wanted - score % 10;
    if (d < 0)
        d += 10;
    return d;
}

const std::vector<std::string>& SuggestionsFor(int score, int wanted) {
    static const std::vector<std::string> none;
    if (score < 0 || wanted < 0 || wanted > 9)
        return none;
    return SUGGESTION_LISTS[MissingAmount(score, wanted)];
}

} // namespace rotenu
