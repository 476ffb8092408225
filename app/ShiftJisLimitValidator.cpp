#include "app/ShiftJisLimitValidator.h"

#include "platform/ShiftJis.h"

#include <algorithm>

namespace rotenu {

ShiftJisLimitValidator::ShiftJisLimitValidator(qsizetype maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes) {}

QValidator::State ShiftJisLimitValidator::validate(QString& input, int& pos) const {
    input = ToShiftJisRepertoire(input);
    if (ShiftJisLength(input) > m_maxBytes) {
        // Find the inserted run: what lies between the part shared with the accepted text at the
        // front and the part shared at the back.
        const qsizetype limit = std::min(input.size(), m_accepted.size());
        qsizetype front = 0;
        while (front < limit && input[front] == m_accepted[front])
            ++front;
        qsizetype back = 0;
        while (back < limit - front && input[input.size() - 1 - back] == m_accepted[m_accepted.size() - 1 - back])
            ++back;
        // Never split a surrogate pair at the edges of the run.
        if (front > 0 && input[front - 1].isHighSurrogate())
            --front;
        if (back > 0 && input[input.size() - back].isLowSurrogate())
            --back;
        const QStringView head = QStringView(input).left(front);
        const QStringView tail = QStringView(input).right(back);
        const QStringView inserted = QStringView(input).mid(front, input.size() - front - back);
        const qsizetype room = m_maxBytes - ShiftJisLength(head) - ShiftJisLength(tail);
        const QString kept = ShiftJisPrefix(inserted, room);
        if (room < 0) {
            // The rest alone is too long (cannot come from the field's own editing): cut the end.
            input = ShiftJisPrefix(input, m_maxBytes);
            pos = static_cast<int>(std::min<qsizetype>(pos, input.size()));
        } else {
            input = head + kept + tail;
            pos = static_cast<int>(head.size() + kept.size());
        }
    }
    m_accepted = input;
    return Acceptable;
}

} // namespace rotenu
