#pragma once
// The pictures of the feeding timer's buttons, drawn as bitmaps whose transparent parts are one
// key colour.

#include <QIcon>

namespace rotenu {

// One glyph with every pixel of the key colour made transparent.
QPixmap GlyphWithKeyColor(const QString& resource, QColor key);

// A bitmap of one image or of two side by side (normal, disabled), as square images.
QIcon GlyphIcon(const QString& resource, QColor key);

QIcon EveryCycleAlarmGlyph();
QIcon OneCycleAlarmGlyph();
QIcon StopAlarmGlyph();
QIcon CloseDoorGlyph();

} // namespace rotenu
