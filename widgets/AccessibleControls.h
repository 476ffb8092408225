#pragma once
// What screen readers get of the windows' controls beyond what Qt gives them.

class QAbstractItemView;
class QString;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace rotenu {

// The list's default accessible action ("press") presses Enter in it, so that a screen reader's
// activation runs whatever Enter runs there; its label relation names `label`.
void GiveListEnterActionAndLabel(QAbstractItemView& list, QWidget& label);

// The drop-down list reads its selected item as its text, and its pop-up list is named after the
// drop-down list's label. Where Qt gives screen readers no selection of a drop-down list (before
// Qt 6.5), a change of the selected item moves the reader to that item, as a pop-up would.
void ReadComboBoxValue(QComboBox& combo, const QString& popupName);

// A text field tabbed onto selects its text and tells screen readers of that selection before Qt
// tells them of the focus; for an empty field they then read nothing at all. This field, while
// empty, takes the focus without selecting.
void ReadEmptyFieldOnFocus(QLineEdit& field);

// A status line that screen readers speak whenever Announce is called with it, without moving
// the keyboard focus.
void MakeStatusLine(QLabel& label);
void Announce(QLabel& label);

// Has screen readers speak `message` for `source` without moving the keyboard focus, where Qt can
// ask them to (from Qt 6.8); before, Qt has no such request and nothing is spoken.
void AnnounceText(QWidget& source, const QString& message);

} // namespace rotenu
