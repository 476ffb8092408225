#pragma once

#include <QImage>
#include <QString>

namespace rotenu {

// An image embedded as a resource (":/…png", ":/…xpm"), read by Qt's own decoder for the format
// its suffix names. Qt's image reader would otherwise load every image format plugin (gif, ico,
// jpeg…) to ask each whether it reads the file; none of them is needed for our own pictures.
// A null image when the resource is missing or unreadable.
QImage ReadEmbeddedImage(const QString& resource);

} // namespace rotenu
