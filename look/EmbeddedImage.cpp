#include "look/EmbeddedImage.h"

#include <QFileInfo>
#include <QImageReader>

namespace rotenu {

QImage ReadEmbeddedImage(const QString& resource) {
    QImageReader reader(resource, QFileInfo(resource).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace rotenu
