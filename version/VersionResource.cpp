#include "version/VersionResource.h"

#include <utility>

namespace rotenu {

void VersionBlock::setValue(std::string path, std::string data) {
    m_values.insert_or_assign(std::move(path), std::move(data));
}

std::optional<std::string_view> VersionBlock::queryValue(std::string_view path) const {
    const auto found = m_values.find(path);
    if (found == m_values.end())
        return std::nullopt;
    return std::string_view(found->second);
}

std::string TranslationEntry(std::uint16_t language, std::uint16_t codePage) {
    const std::uint32_t value = static_cast<std::uint32_t>(codePage) << 16 | language;
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    return bytes;
}

} // namespace rotenu
