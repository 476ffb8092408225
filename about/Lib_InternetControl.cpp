#include "about/Lib_InternetControl.h"

#include "platform/ClassesRegistry.h"
#include "platform/CommandStarter.h"
#include "text/ShiftJisBytes.h"

namespace rotenu {

std::string ExpandBrowserCommand(std::string_view command, std::string_view address) {
    std::string line;
    bool addressPlaced = false;
    for (std::size_t i = 0; i < command.size(); ++i) {
        if (command[i] != '%') {
            line += command[i];
            continue;
        }
        const char next = i + 1 < command.size() ? command[i + 1] : '\0';
        if (next == '1') {
            line += address;
            addressPlaced = true;
            ++i;
        } else if (next >= '2' && next <= '9') {
            ++i;
        } else if (next == '%') {
            line += '%';
            ++i;
        }
        // Any other byte is handled on its own by the next round.
    }
    if (!addressPlaced) {
        line += " \"";
        line += address;
        line += '"';
    }
    return line;
}

namespace {

bool NeedsEncoding(unsigned char byte, bool first) {
    return byte <= 0x20 || byte == 0x7F || byte == '"' || byte == '\'' || byte == '\\' ||
           (first && (byte == '-' || byte == '#'));
}

} // namespace

std::string AddressForCommandLine(std::string_view address) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(address.size());
    for (std::size_t i = 0; i < address.size(); ++i) {
        const auto byte = static_cast<unsigned char>(address[i]);
        if (IsLeadByte(byte) && i + 1 < address.size() &&
            IsTrailByte(static_cast<unsigned char>(address[i + 1]))) {
            encoded += address.substr(i, 2);
            ++i;
        } else if (NeedsEncoding(byte, i == 0)) {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0xF];
        } else {
            encoded += address[i];
        }
    }
    return encoded;
}

std::string FindBrowserCommand(ClassesRegistry& registry) {
    std::string className;
    {
        std::unique_ptr<RegistryKey> fileKey = registry.openKey(".htm");
        if (!fileKey)
            fileKey = registry.openKey(".html");
        if (!fileKey)
            return {};
        className = fileKey->readDefaultText();
    }
    // An empty class name names no key.
    if (className.empty())
        return {};
    const std::unique_ptr<RegistryKey> commandKey =
        registry.openKey("\\" + className + "\\Shell\\Open\\Command");
    return commandKey ? commandKey->readDefaultText() : std::string();
}

void OpenWebPage(std::string_view address, ClassesRegistry& registry, CommandStarter& starter) {
    const std::string command = FindBrowserCommand(registry);
    if (command.empty())
        return;
    // Only the address crosses from the program's own code page into the command's encoding.
    starter.start(ExpandBrowserCommand(command, registry.fromProgramText(AddressForCommandLine(address))));
}

} // namespace rotenu
