#include "platform/ExecutableIcon.h"

#include <QFile>

namespace rotenu {

QIcon ExecutableIcon() {
    QIcon icon;
    for (int size : {32, 16}) {
        const QString path = QStringLiteral(":/rotenu/icons/rotenu-%1.png").arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

} // namespace rotenu
