// The suggestion lists: every string of the list for a wanted ID moves the name to that ID, under
// both algorithms, however it is placed (appended, or enclosing the name).

#include "FuzzCheck.h"
#include "sectionid/Scoring.h"
#include "sectionid/Suggestions.h"

#include <cstdint>
#include <string>

using namespace rotenu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the wanted ID (and, beyond the ten, an out-of-range one); the rest is
    // the name.
    const int wanted = data[0] % 12 - 1;
    const std::string name(reinterpret_cast<const char*>(data + 1), size - 1);

    for (int algorithm = 0; algorithm < 2; ++algorithm) {
        const int score = ScoreName(name, algorithm);
        const std::vector<std::string>& list = SuggestionsFor(score, wanted);
        if (name.empty() || wanted < 0 || wanted > 9) {
            FUZZ_CHECK(list.empty());
            continue;
        }
        const int d = MissingAmount(score, wanted);
        FUZZ_CHECK(d >= 0 && d <= 9);
        FUZZ_CHECK((score + d) % 10 == wanted);
        FUZZ_CHECK(&list == &SUGGESTION_LISTS[d]);
        FUZZ_CHECK(!list.empty());
        // The other algorithm gives the same list: the lists depend on the ID alone.
        FUZZ_CHECK(&list == &SuggestionsFor(ScoreName(name, 1 - algorithm), wanted));
        for (const std::string& s : list) {
            FUZZ_CHECK(s.size() == 1 || s.size() == 2);
            for (unsigned char c : s)
                FUZZ_CHECK(c >= 0x20 && c <= 0x7E);
            const std::string extended = s.size() == 1 ? name + s : s.substr(0, 1) + name + s.substr(1);
            for (int check = 0; check < 2; ++check) {
                const int before = ScoreName(name, check);
                const int after = ScoreName(extended, check);
                FUZZ_CHECK(after >= 0);
                FUZZ_CHECK(((after - before) % 10 + 10) % 10 == d);
                FUZZ_CHECK(after % 10 == wanted);
            }
        }
    }
    return 0;
}
