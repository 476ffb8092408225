#pragma once
// The version block that the running executable carries, in place of the Windows version
// resource: data found by sub-block paths such as "\VarFileInfo\Translation" (translation
// entries, each a 32-bit little-endian value, language in the low and code page in the high half)
// and "\StringFileInfo\041103A4\CompanyName" (a Shift_JIS text).

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace rotenu {

class VersionBlock {
public:
    void setValue(std::string path, std::string data);
    // The data stored under the path; nothing when there is no such entry.
    std::optional<std::string_view> queryValue(std::string_view path) const;

private:
    std::map<std::string, std::string, std::less<>> m_values;
};

// The four bytes of one translation entry.
std::string TranslationEntry(std::uint16_t language, std::uint16_t codePage);

class VersionResource {
public:
    virtual ~VersionResource() = default;
    // Reads the executable's version block afresh at every call; nothing when it carries none or
    // it cannot be read.
    virtual std::optional<VersionBlock> readVersionBlock() = 0;
};

} // namespace rotenu
