#include "platform/ShiftJis.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

namespace rotenu {
namespace {

constexpr const char* kCodePage = "windows-31j";

// Decoding is stateless for this code page; keep one decoder for the program's only thread.
QStringDecoder& Decoder() {
    static QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
    return decoder;
}

bool IsAscii(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Calls sink(character, bytes, representable) for each character of the text, one code point at a time; bytes is
// "?" (and representable false) for a character that Shift_JIS lacks (ICU would write its own substitute, FC FC).
template <typename Sink> void ForEachEncoded(QStringView text, Sink&& sink) {
    // An encoder keeps reporting an error once it has met one, so a new one follows each error.
    std::optional<QStringEncoder> encoder;
    for (qsizetype i = 0; i < text.size();) {
        if (!encoder || encoder->hasError())
            encoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
        const qsizetype width = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.mid(i, width);
        QByteArray bytes = encoder->encode(character);
        const bool representable = !encoder->hasError() && !bytes.isEmpty();
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
    QStringDecoder& decoder = Decoder();
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    decoder.resetState();
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
