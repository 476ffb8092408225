#include "widgets/AutoSizeLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>

namespace rotenu {
namespace {

// Screen readers read the label as the static text that it draws, one line a line.
class AccessibleAutoSizeLabel final : public QAccessibleWidget {
public:
    explicit AccessibleAutoSizeLabel(AutoSizeLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text type) const override {
        if (type != QAccessible::Name)
            return QAccessibleWidget::text(type);
        return static_cast<AutoSizeLabel*>(widget())->lines().join(QLatin1Char('\n'));
    }
};

QAccessibleInterface* AccessibleAutoSizeLabelFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("rotenu::AutoSizeLabel"))
        return new AccessibleAutoSizeLabel(static_cast<AutoSizeLabel*>(object));
    return nullptr;
}

} // namespace

AutoSizeLabel::AutoSizeLabel(QWidget* parent) : QWidget(parent) {
    static const bool accessible = (QAccessible::installFactory(&AccessibleAutoSizeLabelFactory), true);
    (void)accessible;
    resize(textSize());
}

void AutoSizeLabel::setText(const QString& text) {
    m_text = text;
    resize(textSize());
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&changed);
    }
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
