#include "sectionid/Scoring.h"

namespace rotenu {

const std::array<unsigned char, 95> ALGORITHM1_TABLE = [] {
    std::array<unsigned char, 95> table{};
    for (int i = 0; i < 95; ++i)
        table[i] = static_cast<unsigned char>(0x20 + i);
    return table;
}();

const std::array<unsigned char, 116> ALGORITHM2_TABLE = {
    0x20, 0x21, 0x2C, 0x23, 0x2E, 0x25, 0x26, 0x27, 0x28, 0x29, // 1-10
    0x2A, 0x3F, 0x40, 0x2D, 0x24, 0x2F, 0x3A, 0x3B, 0x3C, 0x3D, // 11-20
    0x3E, 0x2B, 0x22, 0x5F, 0x60, 0x20, 0x20, 0x20, 0x20, 0x5B, // 21-30
    0x5C, 0x5D, 0x5E, 0x7D, 0x7E, 0x20, 0x20, 0x20, 0x20, 0x20, // 31-40
    0x20, 0x7B, 0x7C, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, // 41-50
    0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50, 0x51, // 51-60
    0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x20, // 61-70
    0x20, 0x20, 0x20, 0x20, 0x20, 0x61, 0x62, 0x63, 0x64, 0x65, // 71-80
    0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, // 81-90
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, // 91-100
    0x7A, 0x20, 0x20, 0x20, 0x20, 0x20, 0x30, 0x31, 0x32, 0x33, // 101-110
    0x34, 0x35, 0x36, 0x37, 0x38, 0x39,                         // 111-116
};

namespace {

template <std::size_t N> std::string_view AsView(const std::array<unsigned char, N>& table) {
    return {reinterpret_cast<const char*>(table.data()), N};
}

// What each byte value adds under one algorithm, computed once from its table.
template <std::size_t N>
std::array<unsigned char, 256> TermsOf(const std::array<unsigned char, N>& table, int offset) {
    std::array<unsigned char, 256> terms{};
    for (int b = 0; b < 256; ++b)
        terms[b] = static_cast<unsigned char>(
            (TablePosition(AsView(table), static_cast<unsigned char>(b)) + offset) % 10);
    return terms;
}

int SumOfTerms(std::string_view name, const std::array<unsigned char, 256>& terms) {
    int sum = 0;
    for (char c : name)
        sum += terms[static_cast<unsigned char>(c)];
    return sum;
}

} // namespace

int TablePosition(std::string_view table, unsigned char b) {
    const auto at = table.find(static_cast<char>(b));
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int ScoreNameAlgorithm1(std::string_view name) {
    static const auto terms = TermsOf(ALGORITHM1_TABLE, 1);
    if (name.empty())
        return -1;
    return SumOfTerms(name, terms);
}

int ScoreNameAlgorithm2(std::string_view name) {
    static const auto terms = TermsOf(ALGORITHM2_TABLE, 6);
    if (name.empty())
        return -1;
    const int oddLengthBonus = name.size() % 2 == 1 ? 5 : 0;
    return SumOfTerms(name, terms) + oddLengthBonus;
}

int ScoreName(std::string_view name, int algorithm) {
    return algorithm == 1 ? ScoreNameAlgorithm2(name) : ScoreNameAlgorithm1(name);
}

} // namespace rotenu
