#include "app/ShiftJisLimitValidator.h"

#include "text/ShiftJis.h"

#include <algorithm>

namespace rotenu {
namespace {

bool IsLineBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

// The text up to its first line break (CR or LF), or the whole text where it has none.
QStringView FirstLine(QStringView text) {
    return text.first(std::find_if(text.begin(), text.end(), IsLineBreak) - text.begin());
}

// Where the text just inserted lies in the new text: the lengths of the part before it and of the
// part after it, both unchanged from the accepted text.
struct Edit {
    qsizetype head = 0;
    qsizetype tail = 0;
};

Edit FindInsertedRun(QStringView input, qsizetype pos, QStringView accepted) {
    const qsizetype limit = std::min(input.size(), accepted.size());
    Edit edit;
    // The field leaves its cursor right after what it inserted; trust that where the text after
    // the cursor is the end of the accepted text, since a run of equal characters can be read
    // as inserted in several places.
    if (pos >= 0 && pos <= input.size() && input.size() - pos <= accepted.size() &&
        input.sliced(pos) == accepted.last(input.size() - pos)) {
        edit.tail = input.size() - pos;
    } else {
        while (edit.tail < limit &&
               input[input.size() - 1 - edit.tail] == accepted[accepted.size() - 1 - edit.tail])
            ++edit.tail;
    }
    const qsizetype headLimit = std::min(input.size(), accepted.size()) - edit.tail;
    while (edit.head < headLimit && input[edit.head] == accepted[edit.head])
        ++edit.head;
    // Never split a surrogate pair at the edges of the run.
    if (edit.head > 0 && input[edit.head - 1].isHighSurrogate())
        --edit.head;
    if (edit.tail > 0 && input[input.size() - edit.tail].isLowSurrogate())
        --edit.tail;
    return edit;
}

} // namespace

ShiftJisLimitValidator::ShiftJisLimitValidator(qsizetype maxBytes, QObject* parent)
    : QValidator(parent), m_maxBytes(maxBytes) {}

QValidator::State ShiftJisLimitValidator::validate(QString& input, int& pos) const {
    input.replace(u'\t', u' ');
    input = ToShiftJisRepertoire(input);
    const bool hasLineBreak = std::any_of(input.cbegin(), input.cend(), IsLineBreak);
    if (hasLineBreak || ShiftJisLength(input) > m_maxBytes) {
        const Edit edit = FindInsertedRun(input, pos, m_accepted);
        const QStringView head = QStringView(input).first(edit.head);
        const QStringView tail = QStringView(input).last(edit.tail);
        // A single line keeps what came in up to its first line break.
        const QStringView inserted =
            FirstLine(QStringView(input).sliced(edit.head, input.size() - edit.head - edit.tail));
        const qsizetype room = m_maxBytes - ShiftJisLength(head) - ShiftJisLength(tail);
        if (room < 0) {
            // The rest alone is too long (cannot come from the field's own editing): keep the
            // first line, cut at the end.
            input = ShiftJisPrefix(FirstLine(input), m_maxBytes);
            pos = static_cast<int>(std::min<qsizetype>(pos, input.size()));
        } else {
            const QString kept = ShiftJisPrefix(inserted, room);
            pos = static_cast<int>(head.size() + kept.size());
            input = head + kept + tail;
        }
    }
    m_accepted = input;
    return Acceptable;
}

} // namespace rotenu
