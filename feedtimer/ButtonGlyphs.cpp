#include "feedtimer/ButtonGlyphs.h"

#include "look/EmbeddedImage.h"

#include <QBitmap>
#include <QPixmap>

namespace rotenu {
namespace {

const QColor clWhite(255, 255, 255);
const QColor clOlive(128, 128, 0);

} // namespace

QPixmap GlyphWithKeyColor(const QString& resource, QColor key) {
    QPixmap pixmap = QPixmap::fromImage(ReadEmbeddedImage(resource));
    if (pixmap.isNull())
        return pixmap;
    pixmap.setMask(pixmap.createMaskFromColor(key, Qt::MaskInColor));
    return pixmap;
}

QIcon GlyphIcon(const QString& resource, QColor key) {
    const QPixmap bitmap = GlyphWithKeyColor(resource, key);
    QIcon icon;
    const int side = bitmap.height();
    if (side == 0)
        return icon;
    if (bitmap.width() >= 2 * side) {
        icon.addPixmap(bitmap.copy(0, 0, side, side), QIcon::Normal);
        icon.addPixmap(bitmap.copy(side, 0, side, side), QIcon::Disabled);
    } else {
        icon.addPixmap(bitmap, QIcon::Normal);
    }
    return icon;
}

QIcon EveryCycleAlarmGlyph() {
    return GlyphIcon(QStringLiteral(":/rotenu/glyphs/every-cycle-alarm.xpm"), clWhite);
}
QIcon OneCycleAlarmGlyph() {
    return GlyphIcon(QStringLiteral(":/rotenu/glyphs/one-cycle-alarm.xpm"), clWhite);
}
QIcon StopAlarmGlyph() {
    return GlyphIcon(QStringLiteral(":/rotenu/glyphs/stop-alarm.xpm"), clWhite);
}
QIcon CloseDoorGlyph() {
    return GlyphIcon(QStringLiteral(":/rotenu/glyphs/close-door.xpm"), clOlive);
}

} // namespace rotenu
