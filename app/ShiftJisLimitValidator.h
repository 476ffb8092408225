#pragma once

#include <QValidator>

namespace rotenu {

// Keeps a single-line field's text to what the field shows and scores. Whatever comes in (typing,
// paste, drop, input method):
// - keeps only its first line: a line break (CR or LF) and all after it are dropped;
// - turns a tab into a blank, which is what a tab looks like in the field;
// - turns a character that Shift_JIS cannot represent into "?";
// - is cut to its longest prefix that still fits into the byte limit, never inside a character.
class ShiftJisLimitValidator final : public QValidator {
    Q_OBJECT
public:
    ShiftJisLimitValidator(qsizetype maxBytes, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    qsizetype m_maxBytes;
    // The text accepted last; the difference to it is what was just inserted.
    mutable QString m_accepted;
};

} // namespace rotenu
