#include "about/VersionText.h"

#include "text/ShiftJisBytes.h"

#include <utility>

namespace rotenu {
namespace {

// Where the next character begins.
std::size_t NextCharacter(std::string_view text, std::size_t at) {
    return at + CharacterLength(text, at);
}

// The first place at or after `from` where `pattern` starts on a character boundary.
std::size_t FindOnCharacterBoundary(std::string_view text, std::string_view pattern, std::size_t from = 0) {
    for (std::size_t at = from; at < text.size(); at = NextCharacter(text, at))
        if (text.substr(at, pattern.size()) == pattern)
            return at;
    return std::string_view::npos;
}

std::string ReplaceAll(std::string_view text, std::string_view placeholder, std::string_view value) {
    std::string result;
    std::size_t copied = 0;
    for (std::size_t at = FindOnCharacterBoundary(text, placeholder); at != std::string_view::npos;
         at = FindOnCharacterBoundary(text, placeholder, copied)) {
        result.append(text.substr(copied, at - copied));
        result.append(value);
        copied = at + placeholder.size();
    }
    result.append(text.substr(copied));
    return result;
}

struct StringRow {
    std::string_view placeholder;
    std::string_view key;
};

constexpr std::array<StringRow, 7> kStringRows{{
    {"%COMPANYNAME%", "CompanyName"},
    {"%FILEDESCRIPTION%", "FileDescription"},
    {"%FILEVERSION%", "FileVersion"},
    {"%INTERNALNAME%", "InternalName"},
    {"%LEGALCOPYRIGHT%", "LegalCopyright"},
    {"%ORIGINALFILENAME%", "OriginalFilename"},
    {"%PRODUCTNAME%", "ProductName"},
}};

constexpr std::array<std::string_view, 4> kVersionPartRows{"%MFILEVERSION%", "%NFILEVERSION%",
                                                           "%RFILEVERSION%", "%BFILEVERSION%"};

} // namespace

std::string ExpandVersionPlaceholders(std::string_view text, const VersionLookup& lookup) {
    std::string result(text);
    for (const StringRow& row : kStringRows)
        result = ReplaceAll(result, row.placeholder, lookup(row.key));
    const std::array<std::string, 4> parts = SplitFileVersion(lookup("FileVersion"));
    for (std::size_t part = 0; part < parts.size(); ++part)
        result = ReplaceAll(result, kVersionPartRows[part], parts[part]);
    return result;
}

std::array<std::string, 4> SplitFileVersion(std::string_view version) {
    std::array<std::string, 4> parts;
    std::size_t part = 0;
    for (char byte : version) {
        if (byte == '.')
            ++part;
        else if (part < parts.size())
            parts[part].push_back(byte);
    }
    return parts;
}

std::string ExtractWebAddress(std::string_view line) {
    std::string search(line);
    for (char& byte : search)
        if (byte >= 'A' && byte <= 'Z')
            byte = static_cast<char>(byte - 'A' + 'a');
    for (std::string_view scheme : {"http://", "ftp://", "file://"}) {
        const std::size_t at = FindOnCharacterBoundary(search, scheme);
        if (at != std::string_view::npos)
            return std::string(line.substr(at));
    }
    return {};
}

std::vector<std::string> SplitWebPageList(std::string_view pages) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    for (std::size_t at = 0; at < pages.size(); ++at) {
        const char byte = pages[at];
        if (byte == '\r' || byte == '\n') {
            lines.push_back(std::exchange(line, {}));
            open = false;
            if (byte == '\r' && at + 1 < pages.size() && pages[at + 1] == '\n')
                ++at;
        } else {
            line.push_back(byte);
            open = true;
        }
    }
    if (open)
        lines.push_back(std::move(line));
    return lines;
}

} // namespace rotenu
