#include "version/EmbeddedVersionResource.h"

#include "text/ShiftJis.h"

#include <QByteArray>
#include <QFile>
#include <QList>

#include <utility>

namespace rotenu {
namespace {

constexpr std::string_view kTranslationPath = "\\VarFileInfo\\Translation";

std::optional<std::uint16_t> ParseHex16(const QByteArray& digits) {
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || value > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

// "0411:03A4 0409:04B0" gives their entries; malformed entries are left out.
std::string ParseTranslations(const QByteArray& value) {
    std::string data;
    for (const QByteArray& entry : value.simplified().split(' ')) {
        const QList<QByteArray> halves = entry.split(':');
        if (halves.size() != 2)
            continue;
        const auto language = ParseHex16(halves[0]);
        const auto codePage = ParseHex16(halves[1]);
        if (language && codePage)
            data += TranslationEntry(*language, *codePage);
    }
    return data;
}

} // namespace

std::optional<VersionBlock> ParseVersionBlock(const QByteArray& text) {
    VersionBlock block;
    bool any = false;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0)
            continue;
        const QByteArray path = line.left(tab);
        const QByteArray value = line.mid(tab + 1);
        std::string pathBytes = path.toStdString();
        std::string data =
            pathBytes == kTranslationPath ? ParseTranslations(value) : ToShiftJis(QString::fromUtf8(value));
        block.setValue(std::move(pathBytes), std::move(data));
        any = true;
    }
    if (!any)
        return std::nullopt;
    return block;
}

EmbeddedVersionResource::EmbeddedVersionResource(QString resourcePath) : m_path(std::move(resourcePath)) {}

std::optional<VersionBlock> EmbeddedVersionResource::readVersionBlock() {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ParseVersionBlock(file.readAll());
}

} // namespace rotenu
