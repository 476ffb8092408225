#pragma once

class QCoreApplication;

namespace rotenu {

// Qt's own texts (the context menu of a text field, the buttons of message boxes) in Japanese,
// as the program's own texts are, whatever the user's locale. Nothing happens when Qt's Japanese
// translations are not installed.
void LoadQtJapaneseTranslations(QCoreApplication& application);

} // namespace rotenu
