#pragma once

#include "version/VersionResource.h"

#include <QString>

class QByteArray;

namespace rotenu {

// Parses the text form of a version block, as the build writes it: one entry a line, the
// sub-block path, a tab, the value (UTF-8). "\VarFileInfo\Translation" holds entries written as
// language:codepage in hexadecimal ("0411:03A4"), separated by spaces; every other value is text
// and is stored in Shift_JIS. Lines starting with "#" and empty lines are skipped. Nothing when
// the text holds no entry at all.
std::optional<VersionBlock> ParseVersionBlock(const QByteArray& text);

// The version block that the build embeds in the executable as a resource, read from it anew at
// every call.
class EmbeddedVersionResource final : public VersionResource {
public:
    explicit EmbeddedVersionResource(QString resourcePath = DefaultPath());
    std::optional<VersionBlock> readVersionBlock() override;

    static QString DefaultPath() { return QStringLiteral(":/rotenu/version/VersionInfo.txt"); }

private:
    QString m_path;
};

} // namespace rotenu
