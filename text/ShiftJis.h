#pragma once
// The one place where the program's Shift_JIS byte strings and the toolkit's QString meet.

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace rotenu {

// Encodes text as Shift_JIS (code page 932); every character that the code page cannot represent
// becomes one "?".
std::string ToShiftJis(QStringView text);
// Decodes Shift_JIS bytes.
QString FromShiftJis(std::string_view bytes);
// The text with every character that Shift_JIS cannot represent replaced by "?".
QString ToShiftJisRepertoire(QStringView text);
// Bytes that the text takes in Shift_JIS (after the replacement above).
qsizetype ShiftJisLength(QStringView text);
// The longest prefix of the text that fits into maxBytes of Shift_JIS; never ends inside a
// character.
QString ShiftJisPrefix(QStringView text, qsizetype maxBytes);

} // namespace rotenu
