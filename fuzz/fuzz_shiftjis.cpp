// The Shift_JIS conversion: what the name field shows, encodes and decodes back to itself, and the
// cut to a number of bytes never ends inside a character.

#include "FuzzCheck.h"
#include "text/ShiftJis.h"

#include <QString>

#include <cstdint>
#include <string>

using namespace rotenu;

namespace {

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True when the bytes are whole Shift_JIS characters: no lead byte stands last without its trail.
bool EndsOnCharacterBoundary(const std::string& bytes) {
    std::size_t i = 0;
    while (i < bytes.size())
        i += IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    return i == bytes.size();
}

qsizetype CharacterWidth(const QString& text, qsizetype at) {
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

void CheckCut(const QString& text, const std::string& bytes, qsizetype maxBytes) {
    const QString prefix = ShiftJisPrefix(text, maxBytes);
    FUZZ_CHECK(text.startsWith(prefix));
    const std::string prefixBytes = ToShiftJis(prefix);
    FUZZ_CHECK(static_cast<qsizetype>(prefixBytes.size()) <= std::max<qsizetype>(maxBytes, 0));
    FUZZ_CHECK(ShiftJisLength(prefix) == static_cast<qsizetype>(prefixBytes.size()));
    // The cut lies between two characters of the whole text's bytes...
    FUZZ_CHECK(bytes.compare(0, prefixBytes.size(), prefixBytes) == 0);
    FUZZ_CHECK(EndsOnCharacterBoundary(prefixBytes));
    // ...and between two code points of the text.
    if (!prefix.isEmpty() && prefix.size() < text.size())
        FUZZ_CHECK(!(prefix.back().isHighSurrogate() && text[prefix.size()].isLowSurrogate()));
    // It is the longest such prefix.
    if (prefix.size() < text.size()) {
        const qsizetype next = prefix.size() + CharacterWidth(text, prefix.size());
        FUZZ_CHECK(ShiftJisLength(QStringView(text).left(next)) > maxBytes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Names are 12 bytes; a paste is cut to them. Longer inputs only slow the search down.
    if (size == 0 || size > 64)
        return 0;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const std::size_t restSize = size - 1;
    QString text;
    switch (data[0] % 3) {
    case 0: // any UTF-16, lone surrogates included
        text = QString(reinterpret_cast<const QChar*>(rest), static_cast<qsizetype>(restSize / 2));
        break;
    case 1: // bytes as the code page reads them
        text = FromShiftJis(std::string_view(rest, restSize));
        break;
    default: // UTF-8, as the clipboard gives it
        text = QString::fromUtf8(rest, static_cast<qsizetype>(restSize));
        break;
    }

    const std::string bytes = ToShiftJis(text);
    const QString shown = ToShiftJisRepertoire(text);
    FUZZ_CHECK(ShiftJisLength(text) == static_cast<qsizetype>(bytes.size()));
    FUZZ_CHECK(ShiftJisLength(shown) == static_cast<qsizetype>(bytes.size()));
    FUZZ_CHECK(ToShiftJis(shown) == bytes);
    FUZZ_CHECK(ToShiftJisRepertoire(shown) == shown);
    FUZZ_CHECK(EndsOnCharacterBoundary(bytes));
    // What the field shows is exactly what is scored: its bytes decode back to it.
    FUZZ_CHECK(FromShiftJis(bytes) == shown);

    if (data[0] % 3 == 1) {
        // Whatever the code page decodes to, it can encode again: only what it could not decode
        // (shown as the replacement character) becomes "?".
        FUZZ_CHECK(shown.size() == text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            FUZZ_CHECK(shown[i] == text[i] || (text[i] == QChar::ReplacementCharacter && shown[i] == u'?'));
    }

    for (qsizetype maxBytes = -1; maxBytes <= 14; ++maxBytes)
        CheckCut(text, bytes, maxBytes);
    CheckCut(text, bytes, static_cast<qsizetype>(bytes.size()));
    return 0;
}
