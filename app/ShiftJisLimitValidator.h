#pragma once

#include <QValidator>

namespace rotenu {

// Keeps a line edit's text within a number of Shift_JIS bytes. Whatever comes in (typing, paste,
// drop, input method) is cut to its longest prefix that still fits, never inside a character,
// and a character that Shift_JIS cannot represent becomes "?", so that the field shows exactly
// what is scored.
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
