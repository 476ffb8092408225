#include "about/AutoSizeLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace rotenu {

AutoSizeLabel::AutoSizeLabel(QWidget* parent) : QWidget(parent) {
    resize(textSize());
}

void AutoSizeLabel::setText(const QString& text) {
    m_text = text;
    resize(textSize());
    update();
}

void AutoSizeLabel::setAlignment(Qt::Alignment alignment) {
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

QStringList AutoSizeLabel::lines() const {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return m_text.split(lineEnd);
}

QSize AutoSizeLabel::textSize() const {
    const QFontMetrics metrics = fontMetrics();
    if (m_text.isEmpty())
        return {metrics.horizontalAdvance(QLatin1Char(' ')), metrics.height()};
    const QStringList all = lines();
    int width = 0;
    for (const QString& line : all)
        width = std::max(width, metrics.horizontalAdvance(line));
    return {width, metrics.height() * static_cast<int>(all.size())};
}

void AutoSizeLabel::paintEvent(QPaintEvent*) {
    if (m_text.isEmpty())
        return;
    QPainter painter(this);
    const int lineHeight = fontMetrics().height();
    int top = 0;
    for (const QString& line : lines()) {
        painter.drawText(QRect(0, top, width(), lineHeight),
                         int(m_alignment | Qt::AlignTop | Qt::TextSingleLine), line);
        top += lineHeight;
    }
}

void AutoSizeLabel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        resize(textSize());
}

} // namespace rotenu
