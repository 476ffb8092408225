#include "look/ExecutableIcon.h"

#include "look/EmbeddedImage.h"

#include <QPixmap>

namespace rotenu {

QIcon ExecutableIcon() {
    QIcon icon;
    for (int size : {32, 16}) {
        const QImage image = ReadEmbeddedImage(QStringLiteral(":/rotenu/icons/rotenu-%1.png").arg(size));
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace rotenu
