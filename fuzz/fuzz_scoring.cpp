// Both scoring algorithms and the ID text, over any byte string.

#include "FuzzCheck.h"
#include "sectionid/Scoring.h"
#include "sectionid/SectionIdDisplay.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

using namespace rotenu;

namespace {

// What one byte adds under algorithm 1: its value modulo 10 for printable ASCII (20-7E), 1 for any
// other byte. Under algorithm 2 it adds 5 more, modulo 10, and an odd length adds 5.
int Term1(unsigned char b) {
    return b >= 0x20 && b <= 0x7E ? b % 10 : 1;
}

void CheckIdText(int score, std::string_view name) {
    const std::string text = FormatSectionIdText(score, name);
    if (score < 0) {
        FUZZ_CHECK(text.empty());
        return;
    }
    const int id = score % 10;
    const std::string head = "ID:" + std::to_string(id) + " " + std::string(SECTION_ID_NAMES[id]) +
                             " (Code:" + std::to_string(score) + ")";
    FUZZ_CHECK(text.compare(0, head.size(), head) == 0);
    const std::string_view rest = std::string_view(text).substr(std::min(head.size(), text.size()));
    std::string_view expected;
    for (const HiddenCostumeName& row : HIDDEN_COSTUME_NAMES)
        if (row.name == name)
            expected = row.suffix;
    FUZZ_CHECK(rest == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const int score1 = ScoreNameAlgorithm1(name);
    const int score2 = ScoreNameAlgorithm2(name);
    FUZZ_CHECK(ScoreName(name, 0) == score1);
    FUZZ_CHECK(ScoreName(name, 1) == score2);

    if (name.empty()) {
        FUZZ_CHECK(score1 == -1 && score2 == -1);
    } else {
        FUZZ_CHECK(score1 >= 0 && score2 >= 0);
        // Both algorithms lead to the same section ID.
        FUZZ_CHECK(score1 % 10 == score2 % 10);
        FUZZ_CHECK(score1 <= 9 * static_cast<long long>(size));
        FUZZ_CHECK(score2 <= 9 * static_cast<long long>(size) + (size % 2 ? 5 : 0));
        long long sum1 = 0;
        long long sum2 = size % 2 ? 5 : 0;
        for (unsigned char b : name) {
            sum1 += Term1(b);
            sum2 += (Term1(b) + 5) % 10;
        }
        FUZZ_CHECK(score1 == sum1);
        FUZZ_CHECK(score2 == sum2);
        // Only which bytes occur and how often counts, not their order.
        std::string reordered = name;
        std::reverse(reordered.begin(), reordered.end());
        if (reordered.size() > 2)
            std::rotate(reordered.begin(), reordered.begin() + static_cast<long>(data[0] % reordered.size()),
                        reordered.end());
        FUZZ_CHECK(ScoreNameAlgorithm1(reordered) == score1);
        FUZZ_CHECK(ScoreNameAlgorithm2(reordered) == score2);
    }

    CheckIdText(score1, name);
    CheckIdText(score2, name);
    CheckIdText(-1 - static_cast<int>(size), name);
    const SectionIdColors colors = SectionIdColorsFor(score1);
    FUZZ_CHECK(colors == SECTION_ID_COLORS[score1 < 0 ? 10 : score1 % 10]);
    FUZZ_CHECK(colors == SectionIdColorsFor(score2));
    return 0;
}
