#pragma once

#include <QStyledItemDelegate>

namespace rotenu {

// Draws a list's items at one fixed height in pixels.
class FixedHeightItemDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    FixedHeightItemDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), m_height};
    }

private:
    int m_height;
};

} // namespace rotenu
