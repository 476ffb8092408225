#pragma once
// Scoring of a player name. A name is a byte string in Shift_JIS; every byte 00-FF is accepted and
// each byte is scored on its own, also when it is half of a double-byte character.

#include <array>
#include <string_view>

namespace rotenu {

// Printable ASCII 20..7E in ascending order.
extern const std::array<unsigned char, 95> ALGORITHM1_TABLE;
// The same 95 characters reordered, padded with 21 further spaces.
extern const std::array<unsigned char, 116> ALGORITHM2_TABLE;

// 1-based position of the first entry equal to b, or 0 when the table has none.
int TablePosition(std::string_view table, unsigned char b);

// -1 for the empty name, 0 or more otherwise.
int ScoreNameAlgorithm1(std::string_view name);
int ScoreNameAlgorithm2(std::string_view name);
// algorithm 0 selects ScoreNameAlgorithm1, 1 selects ScoreNameAlgorithm2.
int ScoreName(std::string_view name, int algorithm);

} // namespace rotenu
