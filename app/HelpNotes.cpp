#include "app/HelpNotes.h"

#include "sectionid/SectionIdDisplay.h"

#include <QStringList>

namespace rotenu {

QString HiddenCostumeNote() {
    QStringList lines{QStringLiteral(u"●隠しコスチユーム出現の名前"), QString()};
    for (const auto& row : HIDDEN_COSTUME_NAMES) {
        // The suffix " HUmar-NewColor" names the class.
        std::string_view suffix = row.suffix;
        suffix.remove_prefix(1);
        suffix.remove_suffix(std::string_view("-NewColor").size());
        lines << QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
        lines << QStringLiteral("  ") +
                     QString::fromLatin1(row.name.data(), static_cast<qsizetype>(row.name.size()));
    }
    return lines.join(QStringLiteral("\r\n"));
}

QString WaveFileNote() {
    return QStringList{QStringLiteral(u"●マグタイマーのWAVファイル設定"), QString(),
                       QStringLiteral(u"同じフォルダーに「test.wav」"),
                       QStringLiteral(u"というファイルを置けばそれが鳴る")}
        .join(QStringLiteral("\r\n"));
}

} // namespace rotenu
