#include "text/ShiftJis.h"
#include "text/ShiftJisBytes.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace rotenu {
namespace {

constexpr const char* kCodePage = "windows-31j";

// Both directions are stateless for this code page; keep one converter each for the program's only
// thread (opening an ICU converter costs more than converting a name). A converter keeps reporting
// an error once it has met one (resetState does not clear it for ICU), so a new one replaces it
// after each error.
QStringDecoder& Decoder() {
    static std::optional<QStringDecoder> decoder;
    if (!decoder || decoder->hasError())
        decoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
    return *decoder;
}

QStringEncoder& Encoder() {
    static std::optional<QStringEncoder> encoder;
    if (!encoder || encoder->hasError())
        encoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
    return *encoder;
}

// Code page 932 keeps the bytes 00-7F as ASCII, control characters included. ICU's converter for it
// swaps 1A, 1C and 7F among themselves (an IBM convention), which would turn a typed DEL (7F) into
// the byte 1C; so ASCII never goes through the converter.
bool IsAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Calls sink(character, bytes, representable) for each character of the text, one code point at a time; bytes
// is
// "?" (and representable false) for a character that Shift_JIS lacks (ICU would write its own substitute, FC
// FC).
template <typename Sink> void ForEachEncoded(QStringView text, Sink&& sink) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype width =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.mid(i, width);
        if (character.front().unicode() < 0x80) {
            const char byte = static_cast<char>(character.front().unicode());
            if (!sink(character, QByteArray(1, byte), true))
                return;
            ++i;
            continue;
        }
        QStringEncoder& encoder = Encoder();
        QByteArray bytes = encoder.encode(character);
        bool representable = !encoder.hasError() && !bytes.isEmpty();
        if (representable) {
            // Only a character that comes back from its bytes counts: ICU also writes some private-use
            // characters as the bytes of another one (U+F86F as 87 82, which reads as U+2116).
            QStringDecoder& decoder = Decoder();
            const QString back = decoder.decode(bytes);
            representable = back == character && !decoder.hasError();
            decoder.resetState();
        }
        if (!representable)
            bytes = QByteArrayLiteral("?");
        if (!sink(character, bytes, representable))
            return;
        i += width;
    }
}

} // namespace

std::string ToShiftJis(QStringView text) {
    if (IsAscii(text))
        return text.toLatin1().toStdString();
    std::string out;
    ForEachEncoded(text, [&](QStringView, const QByteArray& bytes, bool) {
        out.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return true;
    });
    return out;
}

QString FromShiftJis(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            text += QChar(char16_t(byte));
            ++i;
            continue;
        }
        // A lead byte takes the next byte only when that is a trail byte; a lead byte cut from its
        // trail byte, or followed by another kind, is one undecodable character on its own.
        const bool pair =
            IsLeadByte(byte) && i + 1 < bytes.size() && IsTrailByte(static_cast<unsigned char>(bytes[i + 1]));
        QString character;
        if (pair || !IsLeadByte(byte)) {
            QStringDecoder& decoder = Decoder();
            character = decoder.decode(QByteArrayView(bytes.data() + i, pair ? 2 : 1));
            if (decoder.hasError())
                character.clear();
            decoder.resetState();
        }
        text += character.isEmpty() ? QString(QChar::ReplacementCharacter) : character;
        i += pair ? 2 : 1;
    }
    return text;
}

QString ToShiftJisRepertoire(QStringView text) {
    if (IsAscii(text))
        return text.toString();
    QString out;
    ForEachEncoded(text, [&](QStringView character, const QByteArray&, bool representable) {
        if (representable)
            out += character;
        else
            out += u'?';
        return true;
    });
    return out;
}

qsizetype ShiftJisLength(QStringView text) {
    if (IsAscii(text))
        return text.size();
    qsizetype length = 0;
    ForEachEncoded(text, [&](QStringView, const QByteArray& bytes, bool) {
        length += bytes.size();
        return true;
    });
    return length;
}

QString ShiftJisPrefix(QStringView text, qsizetype maxBytes) {
    if (maxBytes <= 0)
        return {};
    if (IsAscii(text))
        return text.left(maxBytes).toString();
    qsizetype bytesSoFar = 0;
    qsizetype charsSoFar = 0;
    ForEachEncoded(text, [&](QStringView character, const QByteArray& bytes, bool) {
        if (bytesSoFar + bytes.size() > maxBytes)
            return false;
        bytesSoFar += bytes.size();
        charsSoFar += character.size();
        return true;
    });
    return text.left(charsSoFar).toString();
}

} // namespace rotenu
