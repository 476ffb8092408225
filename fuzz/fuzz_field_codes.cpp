// The translation of a desktop entry's Exec line into the registry's command form, and what the
// launcher then builds from it.

#include "FuzzCheck.h"
#include "about/Lib_InternetControl.h"
#include "browser/GioClassesRegistry.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

using namespace rotenu;

namespace {

// The bytes that are not part of a "%x" pair (nor a "%" at the very end).
std::string WithoutCodes(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%')
            ++i;
        else
            out.push_back(s[i]);
    }
    return out;
}

bool IsFileOrUrlCode(char c) {
    return c == 'u' || c == 'U' || c == 'f' || c == 'F';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 1024)
        return 0;
    const std::string_view exec(reinterpret_cast<const char*>(data), size);
    const std::string command = RegistryCommandFromExec(exec);

    // Only %1 and %% are left, and everything else of the line is kept in its order.
    std::size_t places = 0;
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (command[i] != '%')
            continue;
        FUZZ_CHECK(i + 1 < command.size() && (command[i + 1] == '1' || command[i + 1] == '%'));
        places += command[i + 1] == '1';
        ++i;
    }
    FUZZ_CHECK(WithoutCodes(command) == WithoutCodes(exec));
    std::size_t codes = 0;
    for (std::size_t i = 0; i + 1 < exec.size(); ++i) {
        if (exec[i] == '%') {
            codes += IsFileOrUrlCode(exec[i + 1]);
            ++i;
        }
    }
    FUZZ_CHECK(places == codes);

    // The launcher puts the address where the file or URL went, or appends it quoted. The address
    // is one byte that the line does not hold, so that each of its places can be counted.
    int marker = 1;
    while (marker < 256 && exec.find(static_cast<char>(marker)) != std::string_view::npos)
        ++marker;
    if (marker < 256 && marker != '%' && marker != '"' && marker != ' ') {
        const std::string address(1, static_cast<char>(marker));
        const std::string line = ExpandBrowserCommand(command, address);
        const auto found = static_cast<std::size_t>(std::count(line.begin(), line.end(), address[0]));
        FUZZ_CHECK(found == (codes ? codes : 1));
        if (!codes)
            FUZZ_CHECK(line.ends_with(" \"" + address + "\""));
    }
    return 0;
}
