#include "sectionid/Scoring.h"
#include "sectionid/SectionIdDisplay.h"
#include "sectionid/Suggestions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

using namespace rotenu;

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return {bytes.begin(), bytes.end()};
}

std::string Extended(const std::string& name, const std::string& suggestion) {
    return suggestion.size() == 1 ? name + suggestion : suggestion.substr(0, 1) + name + suggestion.substr(1);
}

} // namespace

TEST(Scoring, WorkedExamples) {
    struct Row {
        std::string name;
        int one, two;
    };
    const Row rows[] = {
        {"", -1, -1},
        {"A", 5, 5},
        {"F", 0, 10},
        {"AA", 10, 0},
        {"AB", 11, 1},
        {"abc", 24, 14},
        {"a b", 17, 17},
        {" ", 2, 12},
        {"Xy-7", 19, 9},
        {"Nova", 24, 14},
        {"Rico-7", 27, 17},
        {"ABCDEFGHIJKL", 56, 46},
        {std::string(12, 'z'), 24, 84},
        {std::string(12, 'E'), 108, 48},
        {"A%", 12, 2},
        {"AB1", 20, 10},
        {Bytes({0x83, 0x41}), 6, 6},                           // katakana A
        {Bytes({0xB1}), 1, 11},                                // half-width katakana A
        {Bytes({0x83, 0x65, 0x83, 0x58, 0x83, 0x67}), 15, 35}, // "test" in katakana
        {Bytes({0x7F}), 1, 11},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ScoreNameAlgorithm1(row.name), row.one);
        EXPECT_EQ(ScoreNameAlgorithm2(row.name), row.two);
        EXPECT_EQ(ScoreName(row.name, 0), row.one);
        EXPECT_EQ(ScoreName(row.name, 1), row.two);
    }
}

TEST(Scoring, TablesHoldEveryPrintableCharacterAndFindTheFirstSpace) {
    const std::string_view two(reinterpret_cast<const char*>(ALGORITHM2_TABLE.data()),
                               ALGORITHM2_TABLE.size());
    EXPECT_EQ(std::count(two.begin(), two.end(), ' '), 22);
    for (int c = 0x20; c <= 0x7E; ++c) {
        const std::string_view one(reinterpret_cast<const char*>(ALGORITHM1_TABLE.data()),
                                   ALGORITHM1_TABLE.size());
        EXPECT_EQ(TablePosition(one, static_cast<unsigned char>(c)), c - 31);
        EXPECT_GT(TablePosition(two, static_cast<unsigned char>(c)), 0) << c;
    }
    EXPECT_EQ(TablePosition(two, ' '), 1);
    EXPECT_EQ(TablePosition(two, '0'), 107);
    EXPECT_EQ(TablePosition(two, 'A'), 44);
    EXPECT_EQ(TablePosition(two, 0x80), 0);
}

TEST(Scoring, AlgorithmsAgreeModuloTenForEveryByteAndRandomNames) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string pair(2, static_cast<char>(b));
        EXPECT_EQ(ScoreNameAlgorithm1(one) % 10, ScoreNameAlgorithm2(one) % 10) << b;
        EXPECT_EQ(ScoreNameAlgorithm1(pair) % 10, ScoreNameAlgorithm2(pair) % 10) << b;
        // Each byte adds 5 more under algorithm 2, modulo 10.
        EXPECT_EQ((ScoreNameAlgorithm2(pair) / 2 + 10 - ScoreNameAlgorithm1(one)) % 10, 5) << b;
    }
    std::mt19937 random(20261208);
    for (int i = 0; i < 5000; ++i) {
        std::string name(1 + random() % 40, '\0');
        for (char& c : name)
            c = static_cast<char>(random() % 256);
        ASSERT_GE(ScoreNameAlgorithm1(name), 0);
        ASSERT_EQ(ScoreNameAlgorithm1(name) % 10, ScoreNameAlgorithm2(name) % 10);
        std::string shuffled = name;
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        ASSERT_EQ(ScoreNameAlgorithm1(shuffled), ScoreNameAlgorithm1(name));
        ASSERT_EQ(ScoreNameAlgorithm2(shuffled), ScoreNameAlgorithm2(name));
        if (name.size() <= 12) {
            ASSERT_LE(ScoreNameAlgorithm1(name), 108);
            ASSERT_LE(ScoreNameAlgorithm2(name), name.size() == 11 ? 104 : 108);
        }
    }
}

TEST(SectionIdDisplay, TextAndColors) {
    EXPECT_EQ(FormatSectionIdText(-1, ""), "");
    EXPECT_EQ(FormatSectionIdText(0, "F"), "ID:0 VIRIDIA (Code:0)");
    EXPECT_EQ(FormatSectionIdText(108, std::string(12, 'E')), "ID:8 YELLOWBOZE (Code:108)");
    EXPECT_EQ(FormatSectionIdText(48, std::string(12, 'E')), "ID:8 YELLOWBOZE (Code:48)");
    EXPECT_EQ(FormatSectionIdText(5, "A"), "ID:5 PINKAL (Code:5)");
    EXPECT_EQ(FormatSectionIdText(5, "BRELOTKAMU"), "ID:5 PINKAL (Code:5) HUmar-NewColor");
    EXPECT_EQ(FormatSectionIdText(5, "brelotkamu"), "ID:5 PINKAL (Code:5)");
    EXPECT_EQ(FormatSectionIdText(5, "BRELOTKAMU "), "ID:5 PINKAL (Code:5)");
    for (const auto& row : HIDDEN_COSTUME_NAMES) {
        const std::string one = FormatSectionIdText(ScoreNameAlgorithm1(row.name), row.name);
        const std::string two = FormatSectionIdText(ScoreNameAlgorithm2(row.name), row.name);
        EXPECT_TRUE(one.ends_with(row.suffix)) << one;
        EXPECT_TRUE(two.ends_with(row.suffix)) << two;
        EXPECT_EQ(one.substr(0, one.find("Code:")), two.substr(0, two.find("Code:")));
    }

    using namespace colors;
    EXPECT_EQ(SectionIdColorsFor(-1), (SectionIdColors{clBtnFace, clBlack}));
    EXPECT_EQ(SectionIdColorsFor(0), (SectionIdColors{clGreen, clWhite}));
    EXPECT_EQ(SectionIdColorsFor(17), (SectionIdColors{Color::Rgb(255, 136, 0), clBlack}));
    EXPECT_EQ(SectionIdColorsFor(108), (SectionIdColors{clYellow, clBlack}));
    EXPECT_EQ(SectionIdColorsFor(3), (SectionIdColors{clBlue, clWhite}));
    EXPECT_EQ(SectionIdColorsFor(4), (SectionIdColors{clPurple, clWhite}));
    EXPECT_EQ(SectionIdColorsFor(9), (SectionIdColors{clWhite, clBlack}));
}

TEST(Suggestions, ListsAndMissingAmount) {
    EXPECT_TRUE(SuggestionsFor(-1, 3).empty());
    const std::size_t sizes[] = {9, 10, 12, 10, 14, 10, 13, 9, 14, 9};
    for (int d = 0; d < 10; ++d)
        EXPECT_EQ(SUGGESTION_LISTS[d].size(), sizes[d]) << d;

    // Name A (score 5), wanted WHITILL: d = 4, from "**" to "|". What each suggestion makes of a
    // name is the next test's.
    const auto& toWhitill = SuggestionsFor(5, 9);
    EXPECT_EQ(toWhitill.front(), "**");
    EXPECT_EQ(toWhitill.back(), "|");
    // Name A, wanted SKYLY: 2 - 5 = -3, so d = 7; name AB (11), wanted 1: nothing missing.
    EXPECT_EQ(MissingAmount(5, 2), 7);
    EXPECT_EQ(MissingAmount(11, 1), 0);

    // The one-character strings of list d are the printable characters whose code ends in d.
    for (int d = 0; d < 10; ++d) {
        std::string singles;
        for (const auto& s : SUGGESTION_LISTS[d])
            if (s.size() == 1)
                singles += s;
        std::string expected;
        for (int c = 0x20; c <= 0x7E; ++c)
            if (c % 10 == d)
                expected += static_cast<char>(c);
        EXPECT_EQ(singles, expected) << d;
    }
}

TEST(Suggestions, EverySuggestionMovesTheScoreByTheMissingAmountUnderBothAlgorithms) {
    std::mt19937 random(7);
    std::vector<std::string> names = {"A", "AB", "F", " ", "ABCDEFGHIJ", Bytes({0x83, 0x41}), "Rico-7"};
    for (int i = 0; i < 200; ++i) {
        std::string name(1 + random() % 12, '\0');
        for (char& c : name)
            c = static_cast<char>(random() % 256);
        names.push_back(name);
    }
    for (const std::string& name : names) {
        for (int algorithm = 0; algorithm < 2; ++algorithm) {
            const int score = ScoreName(name, algorithm);
            for (int wanted = 0; wanted < 10; ++wanted) {
                const int d = MissingAmount(score, wanted);
                for (const std::string& s : SuggestionsFor(score, wanted)) {
                    const int extended = ScoreName(Extended(name, s), algorithm);
                    ASSERT_EQ(extended % 10, wanted) << "name bytes " << name.size() << " + '" << s << "'";
                    ASSERT_EQ((extended - score - d) % 10, 0);
                }
            }
        }
    }
}
