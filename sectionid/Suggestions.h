#pragma once
// Strings that, added to a name, move its section ID to a wanted one. A one-character string is
// appended to the name; a two-character string encloses it.

#include <array>
#include <string>
#include <vector>

namespace rotenu {

// Indexed by the missing amount d (0-9): what the score must grow by, modulo 10.
extern const std::array<std::vector<std::string>, 10> SUGGESTION_LISTS;

// d from the score's section ID to the wanted one (0-9).
int MissingAmount(int score, int wanted);
// The list for the missing amount, or an empty list for a negative score (the empty name).
const std::vector<std::string>& SuggestionsFor(int score, int wanted);

} // namespace rotenu
