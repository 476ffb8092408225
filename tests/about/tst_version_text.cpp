#include "about/VarDigLayout.h"
#include "about/VarDigTexts.h"
#include "about/VersionText.h"

#include <gtest/gtest.h>

#include <map>

using namespace rotenu;

namespace {

// Shift_JIS bytes of the texts used below.
const std::string kRotenu = "\x82\xEB\x82\xC4\x82\xCA"; // ろてぬ
const std::string kVarko = "\x83\x94\x83\x40\x83\x8B\x83\x52\x81\x5E"
                           "Varko"; // ヴァルコ／Varko

VersionLookup Lookup(std::map<std::string, std::string, std::less<>> values) {
    return [values = std::move(values)](std::string_view key) {
        const auto found = values.find(key);
        return found == values.end() ? std::string() : found->second;
    };
}

VersionLookup ProgramVersion() {
    return Lookup({{"CompanyName", kVarko}, {"FileVersion", "1.5.0.0"}, {"ProductName", kRotenu}});
}

std::string Expand(std::string_view text, const VersionLookup& lookup = ProgramVersion()) {
    return ExpandVersionPlaceholders(text, lookup);
}

} // namespace

TEST(ExpandVersionPlaceholders, FillsTheAboutTemplateFromTheVersionStrings) {
    EXPECT_EQ(Expand(ABOUT_TEMPLATE), kRotenu + " Ver1.5\r\n\r\nProgramCode: " + kVarko +
                                          "\r\n(PSO CharacterName: Varko_\?\?\?\?\?\?)");
    // Every row, each replaced wherever it occurs.
    const auto all = Lookup({{"CompanyName", "c"},
                             {"FileDescription", "d"},
                             {"FileVersion", "1.2.3.4"},
                             {"InternalName", "i"},
                             {"LegalCopyright", "l"},
                             {"OriginalFilename", "o"},
                             {"ProductName", "p"}});
    EXPECT_EQ(Expand("%COMPANYNAME%|%FILEDESCRIPTION%|%FILEVERSION%|%INTERNALNAME%|"
                     "%LEGALCOPYRIGHT%|%ORIGINALFILENAME%|%PRODUCTNAME%|%MFILEVERSION%|"
                     "%NFILEVERSION%|%RFILEVERSION%|%BFILEVERSION%|%PRODUCTNAME%",
                     all),
              "c|d|1.2.3.4|i|l|o|p|1|2|3|4|p");
    EXPECT_EQ(Expand("%FILEVERSION% and %MFILEVERSION%"), "1.5.0.0 and 1");
    // Missing values and a missing block give empty texts.
    EXPECT_EQ(Expand("[%INTERNALNAME%][%RFILEVERSION%]"), "[][0]");
    EXPECT_EQ(Expand("%PRODUCTNAME% Ver%MFILEVERSION%.%NFILEVERSION%", Lookup({})), " Ver.");
    EXPECT_EQ(Expand(""), "");
}

TEST(ExpandVersionPlaceholders, ExactMatchesOnlyOnCharacterBoundaries) {
    // Other letter case, broken and unknown placeholders stay.
    EXPECT_EQ(Expand("%ProductName% %PRODUCTNAME %PRODUCT% %%"), "%ProductName% %PRODUCTNAME %PRODUCT% %%");
    EXPECT_EQ(Expand("%%PRODUCTNAME%%"), "%" + kRotenu + "%");
    // A "%" that is the second byte of a double-byte character starts no match; after a whole
    // double-byte character it does.
    EXPECT_EQ(Expand("\x82%PRODUCTNAME%"), "\x82%PRODUCTNAME%");
    EXPECT_EQ(Expand("\x82\xA0%PRODUCTNAME%"), "\x82\xA0" + kRotenu);
    EXPECT_EQ(Expand("\x82\xA0\x82%PRODUCTNAME%"), "\x82\xA0\x82%PRODUCTNAME%");
}

TEST(ExpandVersionPlaceholders, RowsRunInOrderWithoutRescanningTheirOwnValues) {
    // A value that brings in the placeholder of a later row gets that row's value...
    EXPECT_EQ(Expand("%COMPANYNAME%", Lookup({{"CompanyName", "by %PRODUCTNAME%"}, {"ProductName", "P"}})),
              "by P");
    EXPECT_EQ(Expand("%FILEVERSION%", Lookup({{"FileVersion", "7.%BFILEVERSION%"}})), "7.");
    // ...one of an earlier row stays, and a value holding its own placeholder is inserted once.
    EXPECT_EQ(Expand("%PRODUCTNAME%", Lookup({{"CompanyName", "C"}, {"ProductName", "by %COMPANYNAME%"}})),
              "by %COMPANYNAME%");
    EXPECT_EQ(Expand("%COMPANYNAME%-%COMPANYNAME%", Lookup({{"CompanyName", "%COMPANYNAME%"}})),
              "%COMPANYNAME%-%COMPANYNAME%");
    // A value that completes a placeholder with the text after it is seen by the next row only.
    EXPECT_EQ(Expand("%COMPANYNAME%PRODUCTNAME%", Lookup({{"CompanyName", "%"}, {"ProductName", "P"}})), "P");
}

TEST(SplitFileVersion, FourTextPartsSeparatedByDots) {
    using Parts = std::array<std::string, 4>;
    EXPECT_EQ(SplitFileVersion("1.5.0.0"), (Parts{"1", "5", "0", "0"}));
    EXPECT_EQ(SplitFileVersion("1.05"), (Parts{"1", "05", "", ""}));
    EXPECT_EQ(SplitFileVersion("1.2.3.4.5.6"), (Parts{"1", "2", "3", "4"}));
    EXPECT_EQ(SplitFileVersion("1.2.3.4."), (Parts{"1", "2", "3", "4"}));
    EXPECT_EQ(SplitFileVersion("150"), (Parts{"150", "", "", ""}));
    EXPECT_EQ(SplitFileVersion(""), (Parts{"", "", "", ""}));
    EXPECT_EQ(SplitFileVersion("..7"), (Parts{"", "", "7", ""}));
    EXPECT_EQ(SplitFileVersion(" 2 .beta"), (Parts{" 2 ", "beta", "", ""}));
}

TEST(ExtractWebAddress, SchemesInOrderAnyLetterCase) {
    EXPECT_EQ(ExtractWebAddress("[VARKO  WebPage] http://varko.example.com/"), "http://varko.example.com/");
    // http:// wins over an earlier ftp://, ftp:// over an earlier file://.
    EXPECT_EQ(ExtractWebAddress("ftp://files.example.com/ then http://www.example.com/"),
              "http://www.example.com/");
    EXPECT_EQ(ExtractWebAddress("file:///home/ ftp://files.example.com/"), "ftp://files.example.com/");
    EXPECT_EQ(ExtractWebAddress("[local] file:///usr/share/doc/"), "file:///usr/share/doc/");
    // Capitals are found and kept.
    EXPECT_EQ(ExtractWebAddress("[X] HTTP://Example.COM/Page/"), "HTTP://Example.COM/Page/");
    EXPECT_EQ(ExtractWebAddress("FtP://A/"), "FtP://A/");
    // Nothing to open.
    EXPECT_EQ(ExtractWebAddress("[secure] https://example.com/"), "");
    EXPECT_EQ(ExtractWebAddress("http:/example.com/ www.example.com"), "");
    EXPECT_EQ(ExtractWebAddress(""), "");
    // The first of two addresses, up to the end of the line.
    EXPECT_EQ(ExtractWebAddress("http://a/ http://b/"), "http://a/ http://b/");
}

TEST(ExtractWebAddress, NoMatchInsideADoubleByteCharacter) {
    // 83 68 is one character; its second byte is an "h" (and 83 48 one whose second byte is "H").
    EXPECT_EQ(ExtractWebAddress("\x83http://a/"), "");
    EXPECT_EQ(ExtractWebAddress("\x83HTTP://a/"), "");
    EXPECT_EQ(ExtractWebAddress("\x83http://a/ http://b/"), "http://b/");
    EXPECT_EQ(ExtractWebAddress("[\x82\xDB\x82\xC4\x82\xDC WebPage] http://potema.example.com/"),
              "http://potema.example.com/");
    // The ftp:// search has the same rule.
    EXPECT_EQ(ExtractWebAddress(std::string("\x82") + "ftp://a/"), "");
}

TEST(SplitWebPageList, LinesEndAtCrLfLoneCrOrLoneLf) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitWebPageList(WEB_PAGES_TEXT).size(), 3u);
    EXPECT_EQ(SplitWebPageList("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitWebPageList("a\r\n"), (Lines{"a"}));
    EXPECT_EQ(SplitWebPageList("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(SplitWebPageList("\n\r"), (Lines{"", ""}));
    EXPECT_EQ(SplitWebPageList(""), Lines{});
}

TEST(VarDigTexts, TheHandedOverTexts) {
    for (const std::string* text : {&ABOUT_TEMPLATE, &CREDITS_TEXT, &WEB_PAGES_TEXT})
        EXPECT_FALSE(text->ends_with("\n"));
    EXPECT_EQ(SplitWebPageList(ABOUT_TEMPLATE).size(), 4u);
    EXPECT_EQ(SplitWebPageList(CREDITS_TEXT).size(), 2u);
    for (const std::string& line : SplitWebPageList(WEB_PAGES_TEXT)) {
        const std::string address = ExtractWebAddress(line);
        EXPECT_EQ(line.size() - address.size(), 17u) << line;
        EXPECT_TRUE(address.starts_with("http://") && address.ends_with("/")) << line;
    }
    EXPECT_EQ(SplitWebPageList(WEB_PAGES_TEXT)[0].substr(0, 17), "[VARKO  WebPage] ");
}

namespace {

VarDigMeasures Measures(VarDigSize label1, VarDigSize label2, bool credits = true, bool pages = true) {
    VarDigMeasures m;
    m.label1 = label1;
    m.label2 = label2;
    m.hasCredits = credits;
    m.hasWebPages = pages;
    return m;
}

// The layout with the list and both buttons shown.
VarDigLayout Shown(VarDigRect label1, VarDigRect label2, VarDigRect list, VarDigRect close, VarDigRect web,
                   int width, int height) {
    return {label1, label2, list, close, web, true, true, width, height};
}

} // namespace

TEST(ComputeVarDigLayout, WidestOfAboutCreditsAndButtons) {
    const std::pair<VarDigMeasures, VarDigLayout> cases[] = {
        // The buttons need the most: 75 + 75 + 24 = 174; they stand 8 from both edges, 8 apart.
        {Measures({100, 48}, {130, 26}), Shown({48, 8, 118, 48}, {8, 64, 158, 26}, {8, 98, 158, 20},
                                               {8, 126, 75, 25}, {91, 126, 75, 25}, 174, 159)},
        // The About text needs the most: 32 + 201 + 24 = 257; (257 - 158) / 2 truncates to 49.
        {Measures({201, 39}, {100, 26}), Shown({48, 8, 201, 39}, {8, 55, 241, 26}, {8, 89, 241, 20},
                                               {49, 117, 75, 25}, {132, 117, 75, 25}, 257, 150)},
        // The credits need the most: 250 + 16 = 266; a one-line About text lower than the icon.
        {Measures({40, 13}, {250, 13}), Shown({48, 8, 210, 13}, {8, 48, 250, 13}, {8, 69, 250, 20},
                                              {54, 97, 75, 25}, {137, 97, 75, 25}, 266, 130)},
    };
    for (const auto& [measures, expected] : cases)
        EXPECT_EQ(ComputeVarDigLayout(measures), expected);
}

TEST(ComputeVarDigLayout, WithoutCreditsOrWithoutList) {
    // No credits: the credits take no height and the list stands in their place.
    VarDigLayout l = ComputeVarDigLayout(Measures({100, 48}, {6, 13}, false, true));
    EXPECT_EQ(l.label2, (VarDigRect{8, 64, 158, 0}));
    EXPECT_EQ(l.comboBox1, (VarDigRect{8, 64, 158, 20}));
    EXPECT_EQ(l.bitBtn1.top, 92);
    EXPECT_EQ(l.clientHeight, 125);

    // No list: no list and no web button; the close button alone in the middle, 8 from the bottom.
    l = ComputeVarDigLayout(Measures({100, 48}, {130, 26}, true, false));
    EXPECT_EQ(l.clientWidth, 156);
    EXPECT_FALSE(l.comboBox1Visible);
    EXPECT_FALSE(l.bitBtn2Visible);
    EXPECT_EQ(l.comboBox1.top, 98);
    EXPECT_EQ(l.bitBtn1, (VarDigRect{40, 98, 75, 25}));
    EXPECT_EQ(l.clientHeight, 131);

    // Neither: the close button right under the labels; with the button the widest (75 + 16)...
    l = ComputeVarDigLayout(Measures({20, 13}, {6, 13}, false, false));
    EXPECT_EQ(l.clientWidth, 91);
    EXPECT_EQ(l.bitBtn1, (VarDigRect{8, 48, 75, 25}));
    EXPECT_EQ(l.clientHeight, 81);
    // ...and with credits one pixel wider than that: (92 - 75) / 2 truncates to 8.
    l = ComputeVarDigLayout(Measures({20, 13}, {76, 13}, true, false));
    EXPECT_EQ(l.clientWidth, 92);
    EXPECT_EQ(l.bitBtn1, (VarDigRect{8, 69, 75, 25}));
}
