// SplitFileVersion: four parts, dots dropped, nothing after the fourth dot.

#include "FuzzCheck.h"
#include "about/VersionText.h"

#include <cstdint>
#include <string>

using namespace rotenu;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view version(reinterpret_cast<const char*>(data), size);
    const std::array<std::string, 4> parts = SplitFileVersion(version);

    // The parts joined by dots give the text up to its fourth dot.
    std::size_t dots = 0;
    std::size_t end = 0;
    while (end < version.size() && !(version[end] == '.' && dots == 3)) {
        dots += version[end] == '.';
        ++end;
    }
    const std::string joined = parts[0] + "." + parts[1] + "." + parts[2] + "." + parts[3];
    std::string head(version.substr(0, end));
    // Fewer than three dots: the missing parts are empty, their dots added by the join.
    for (std::size_t missing = dots; missing < 3; ++missing)
        head += '.';
    FUZZ_CHECK(joined == head);
    for (const std::string& part : parts)
        FUZZ_CHECK(part.find('.') == std::string::npos);
    return 0;
}
