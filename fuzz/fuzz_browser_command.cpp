// The browser command line: ExpandBrowserCommand against the rules written out once more, and the
// address prepared by AddressForCommandLine reaching the browser as exactly one argument after the
// command starter's conversion and shell-style split, wherever %1 stands.

#include "FuzzCheck.h"
#include "about/Lib_InternetControl.h"
#include "text/ShiftJis.h"

#include <QByteArray>
#include <QString>

#include <glib.h>

#include <cstdint>
#include <string>
#include <string_view>

using namespace rotenu;

namespace {

// The rules as a reader states them: %1 -> address, %2..%9 -> nothing, %% -> %, "%" before any
// other byte (or at the end) -> nothing, that byte then read on its own; without %1 the address
// follows in double quotes after one space.
std::string Model(std::string_view command, std::string_view address) {
    std::string out;
    bool placed = false;
    std::size_t i = 0;
    while (i < command.size()) {
        if (command[i] != '%') {
            out.push_back(command[i++]);
            continue;
        }
        const bool hasNext = i + 1 < command.size();
        const char next = hasNext ? command[i + 1] : 0;
        if (hasNext && next == '1') {
            out.append(address);
            placed = true;
            i += 2;
        } else if (hasNext && next >= '2' && next <= '9') {
            i += 2;
        } else if (hasNext && next == '%') {
            out.push_back('%');
            i += 2;
        } else {
            i += 1;
        }
    }
    if (!placed)
        out += " \"" + std::string(address) + "\"";
    return out;
}

bool IsLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// What the command starter hands to the browser: the line decoded from the code page to UTF-8
// and split as a shell would, or no arguments at all when it cannot be split.
std::vector<std::string> Arguments(const std::string& line) {
    const QByteArray utf8 = FromShiftJis(line).toUtf8();
    gchar** argv = nullptr;
    std::vector<std::string> args;
    if (g_shell_parse_argv(utf8.constData(), nullptr, &argv, nullptr)) {
        for (gchar** a = argv; *a; ++a)
            args.emplace_back(*a);
    }
    g_strfreev(argv);
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0 || size > 512)
        return 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = std::min<std::size_t>(data[0], input.size());
    const std::string_view command = input.substr(0, cut);
    const std::string_view address = input.substr(cut);

    const std::string line = ExpandBrowserCommand(command, address);
    FUZZ_CHECK(line == Model(command, address));
    if (command.find('%') == std::string_view::npos)
        FUZZ_CHECK(line == std::string(command) + " \"" + std::string(address) + "\"");

    // The prepared address holds nothing that splits a command line or ends its quotes.
    const std::string prepared = AddressForCommandLine(address);
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        const auto b = static_cast<unsigned char>(prepared[i]);
        if (IsLead(b) && i + 1 < prepared.size()) {
            ++i;
            continue;
        }
        FUZZ_CHECK(b > 0x20 && b != 0x7F && b != '"' && b != '\'' && b != '\\');
    }
    if (!prepared.empty())
        FUZZ_CHECK(prepared[0] != '-' && prepared[0] != '#');

    // One argument, unchanged, whether %1 stands bare, in double or single quotes, or not at all.
    if (!prepared.empty()) {
        const QByteArray expected = FromShiftJis(prepared).toUtf8();
        // A NUL that the code page decodes to would end the C string of the command line.
        if (expected.contains('\0'))
            return 0;
        for (const char* shape : {"browser %1", "browser \"%1\"", "browser '%1'", "browser --new-tab"}) {
            const std::vector<std::string> args = Arguments(ExpandBrowserCommand(shape, prepared));
            FUZZ_CHECK(!args.empty() && args.front() == "browser");
            FUZZ_CHECK(args.back() == expected.toStdString());
            FUZZ_CHECK(args.size() == (std::string_view(shape).ends_with("tab") ? 3u : 2u));
        }
    }
    return 0;
}
