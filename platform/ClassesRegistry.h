#pragma once
// Read-only access to the registration of file classes and their open commands, in place of the
// Windows registry under HKEY_CLASSES_ROOT. Paths and values are bytes in the registry's own
// encoding: the Japanese code page for the Windows registry, UTF-8 for the desktop's.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rotenu {

// The registry's read error. Its message is UTF-8, as the general error report expects.
class RegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    // "'<value name>' のデータ型が不正です": the value exists but holds no text.
    static RegistryError invalidDataType(std::string_view valueNameUtf8) {
        std::string message = "'";
        message += valueNameUtf8;
        message += "' のデータ型が不正です";
        return RegistryError(message);
    }
};

struct RegistryValue {
    enum class Type { Missing, Text, ExpandableText, Other };
    Type type = Type::Missing;
    std::string data;
};

// An opened key; destroying it closes it.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // The default (unnamed) value as stored.
    virtual RegistryValue defaultValue() = 0;
    // The default value as text: up to its first NUL byte, "" when missing. Throws RegistryError
    // when the value is of a type other than the two text types.
    std::string readDefaultText() {
        RegistryValue value = defaultValue();
        switch (value.type) {
        case RegistryValue::Type::Missing:
            return {};
        case RegistryValue::Type::Text:
        case RegistryValue::Type::ExpandableText:
            return value.data.substr(0, value.data.find('\0'));
        case RegistryValue::Type::Other:
            break;
        }
        throw RegistryError::invalidDataType("");
    }
};

class ClassesRegistry {
public:
    virtual ~ClassesRegistry() = default;
    // Opens the key at the path (key names joined by "\", counted from the root with or without a
    // leading "\"); nullptr when there is no such key. A missing key is never created.
    virtual std::unique_ptr<RegistryKey> openKey(std::string_view path) = 0;
    // The program's own text (Shift_JIS bytes) in the registry's encoding, so that an address can
    // be put into a command read from the registry; the command keeps its own bytes throughout.
    virtual std::string fromProgramText(std::string_view text) { return std::string(text); }
};

} // namespace rotenu
