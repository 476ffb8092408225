#include "app/Main.h"

#include "ui_Main.h"

#include "about/Lib_VarsionForm.h"
#include "about/VarDigTexts.h"
#include "app/HelpNotes.h"
#include "app/ShiftJisLimitValidator.h"
#include "feedtimer/Timer.h"
#include "platform/Beeper.h"
#include "platform/MessageBoxPresenter.h"
#include "sectionid/Scoring.h"
#include "sectionid/SectionIdDisplay.h"
#include "sectionid/Suggestions.h"
#include "text/ShiftJis.h"
#include "widgets/AccessibleControls.h"
#include "widgets/FixedHeightItemDelegate.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLayout>

#include <algorithm>
#include <optional>

namespace rotenu {
namespace {

QColor ToQColor(const Color& color, const QPalette& palette) {
    switch (color.kind) {
    case Color::Kind::BtnFace:
        return palette.color(QPalette::Button);
    case Color::Kind::WindowText:
        return palette.color(QPalette::WindowText);
    case Color::Kind::Rgb:
        break;
    }
    return {color.red, color.green, color.blue};
}

void SetColors(QWidget& widget, const Color& background, const Color& text) {
    QPalette palette = widget.palette();
    const QPalette& system = QApplication::palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, ToQColor(background, system));
        palette.setColor(group, QPalette::Text, ToQColor(text, system));
    }
    widget.setPalette(palette);
}

// The character code that a key press types, as the field would receive it; none for keys that
// type nothing (arrows, Delete, Home...). Ctrl+letter types its control character even where
// the toolkit delivers no text for it.
std::optional<int> TypedCharacterCode(const QKeyEvent& key) {
    // Tab moves the focus before any field sees it as a character.
    if (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab)
        return std::nullopt;
    const QString text = key.text();
    if (!text.isEmpty()) {
        for (QChar c : text)
            if (c.unicode() < 32 || c.unicode() > 127)
                return c.unicode();
        return text.front().unicode();
    }
    if (key.modifiers().testFlag(Qt::ControlModifier) && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return key.key() - Qt::Key_A + 1;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        return std::nullopt;
    }
}

bool IsAdmittedCharacter(int code) {
    return (code >= 32 && code <= 127) || code == 8;
}

// Alt with a letter that is no menu mnemonic, and Super with anything, are commands rather than
// typing: they put nothing into the field. AltGr types its character; X11 reports it as a group
// switch, other systems as Ctrl+Alt.
bool IsCommandChord(const QKeyEvent& key) {
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    const bool alt = modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
    if (!alt && !modifiers.testFlag(Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

} // namespace

TForm1::TForm1(const PlatformServices& services, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TForm1>()), m_services(services) {
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setCentralWidget(ui->ClientArea);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    auto* algorithms = new QButtonGroup(this);
    algorithms->addButton(ui->RadioGroup1Item0, 0);
    algorithms->addButton(ui->RadioGroup1Item1, 1);
    connect(algorithms, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            RadioGroup1Click();
    });

    ui->Edit1->setValidator(new ShiftJisLimitValidator(kNameByteLimit, ui->Edit1));
    ui->Edit1->installEventFilter(this);
    QPalette namePalette = ui->Edit1->palette();
    namePalette.setColor(QPalette::Text, Qt::black);
    ui->Edit1->setPalette(namePalette);
    connect(ui->Edit1, &QLineEdit::textChanged, this, &TForm1::Edit1Change);

    ui->Edit2->setFocusPolicy(Qt::StrongFocus);
    SetColors(*ui->Edit2, colors::clBtnFace, colors::clWindowText);

    QPalette comboPalette = ui->ComboBox1->palette();
    comboPalette.setColor(QPalette::Text, Qt::black);
    comboPalette.setColor(QPalette::ButtonText, Qt::black);
    ui->ComboBox1->setPalette(comboPalette);
    ui->ComboBox1->setItemDelegate(new FixedHeightItemDelegate(12, ui->ComboBox1));
    connect(ui->ComboBox1, &QComboBox::activated, this, &TForm1::NameChange);

    ui->ListBox1->setItemDelegate(new FixedHeightItemDelegate(16, ui->ListBox1));
    QPalette listPalette = ui->ListBox1->palette();
    listPalette.setColor(QPalette::Text, Qt::blue);
    ui->ListBox1->setPalette(listPalette);
    connect(ui->ListBox1, &QListWidget::itemDoubleClicked, this, &TForm1::ListBox1DblClick);
    // Enter applies the selected suggestion as a double-click does.
    ui->ListBox1->installEventFilter(this);
    GiveListEnterActionAndLabel(*ui->ListBox1, *ui->Label2);
    ReadComboBoxValue(*ui->ComboBox1, ui->Label2->text());
    ui->Edit2->setAccessibleDescription(QStringLiteral(u"プレイヤーネームのセクションID"));
    ReadEmptyFieldOnFocus(*ui->Edit2);

    connect(ui->Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
    connect(ui->N1, &QAction::triggered, this, &TForm1::MaguEsaClick);
    connect(ui->V1, &QAction::triggered, this, &TForm1::V1Click);
    connect(ui->N3, &QAction::triggered, this, &TForm1::N3Click);
    // A blank caption: the item looks empty (the designer file would lose a lone space).
    ui->N3->setText(QStringLiteral(" "));

    ui->Edit1->setFocus(Qt::OtherFocusReason);
}

TForm1::~TForm1() = default;

void TForm1::attachWindows(TForm2* feedingTimer, TVarDigForm* versionDialog) {
    Form2 = feedingTimer;
    VarDigForm = versionDialog;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    m_placement.onShow(*this);
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

void TForm1::FormShow() {
    // Selecting from code is no pick: NameChange does not run.
    ui->ComboBox1->setCurrentIndex(0);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->ListBox1)
        return suggestionListEvent(event) || QMainWindow::eventFilter(watched, event);
    if (watched == ui->Edit1) {
        if (event->type() == QEvent::KeyPress) {
            const auto& key = *static_cast<QKeyEvent*>(event);
            if (IsCommandChord(key))
                return true;
            const std::optional<int> code = TypedCharacterCode(key);
            if (code && !Edit1KeyPress(*code))
                return true;
            if (code == 8 && key.key() != Qt::Key_Backspace) {
                // Ctrl+H shares its code with Backspace, and deletes the same way.
                QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier,
                                    QStringLiteral("\b"));
                QCoreApplication::sendEvent(ui->Edit1, &backspace);
                return true;
            }
        } else if (event->type() == QEvent::InputMethod) {
            auto* input = static_cast<QInputMethodEvent*>(event);
            const QString commit = input->commitString();
            const bool printable = std::all_of(commit.begin(), commit.end(), [](QChar c) {
                return c.unicode() >= 32 && c.unicode() <= 127;
            });
            if (!printable) {
                // Refused: the field drops its composition but inserts nothing.
                m_services.beeper->beep();
                QInputMethodEvent withoutCommit(input->preeditString(), input->attributes());
                QCoreApplication::sendEvent(ui->Edit1, &withoutCommit);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm1::suggestionListEvent(QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    QListWidget& list = *ui->ListBox1;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        ListBox1DblClick();
        return true;
    }
    // Qt makes the first item current, unselected, when the list takes the focus: without a
    // current item the first arrow key goes to the first item rather than the second.
    if ((key == Qt::Key_Down || key == Qt::Key_Up) && list.selectedItems().isEmpty())
        list.selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return false;
}

bool TForm1::Edit1KeyPress(int characterCode) {
    if (IsAdmittedCharacter(characterCode))
        return true;
    m_services.beeper->beep();
    return false;
}

void TForm1::Edit1Change(const QString& text) {
    if (text == m_lastName)
        return;
    m_lastName = text;
    NameChange();
}

int TForm1::selectedAlgorithm() const {
    return ui->RadioGroup1Item1->isChecked() ? 1 : 0;
}

std::string TForm1::nameBytes() const {
    return ToShiftJis(ui->Edit1->text());
}

void TForm1::NameChange() {
    const std::string name = nameBytes();
    const int score = ScoreName(name, selectedAlgorithm());
    ShowSectionId(score);
    const int wanted = ui->ComboBox1->currentIndex();
    ui->ListBox1->clear();
    if (name.empty())
        return;
    for (const std::string& suggestion : SuggestionsFor(score, wanted))
        ui->ListBox1->addItem(
            QString::fromLatin1(suggestion.data(), static_cast<qsizetype>(suggestion.size())));
}

void TForm1::RadioGroup1Click() {
    ShowSectionId(ScoreName(nameBytes(), selectedAlgorithm()));
}

void TForm1::ShowSectionId(int score) {
    const std::string text = FormatSectionIdText(score, nameBytes());
    ui->Edit2->setText(FromShiftJis(text));
    const SectionIdColors colors = SectionIdColorsFor(score);
    SetColors(*ui->Edit2, colors.background, colors.text);
}

void TForm1::ListBox1DblClick() {
    const QList<QListWidgetItem*> selected = ui->ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const QString suggestion = selected.front()->text();
    const QString name = ui->Edit1->text();
    const qsizetype length = ShiftJisLength(name);
    const qsizetype added = ShiftJisLength(suggestion);
    if (length + added > kNameByteLimit) {
        m_services.beeper->beep();
        return;
    }
    if (added == 1)
        ui->Edit1->setText(name + suggestion);
    else
        ui->Edit1->setText(suggestion.front() + name + suggestion.mid(1));
    // The focus stays in the list: a screen reader hears the new name and its ID from there.
    AnnounceText(*ui->Edit1, ui->Edit1->text() + u' ' + ui->Edit2->text());
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::MaguEsaClick() {
    if (!Form2)
        return;
    SetTransientParent(*Form2, this);
    // An open window only comes to the front: showing it again would reset it on some Qt versions.
    if (!Form2->isVisible())
        Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm1::V1Click() {
    m_services.beeper->beep();
    if (!VarDigForm)
        return;
    SetTransientParent(*VarDigForm, this);
    VarDigForm->ShowVarDig(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT);
}

void TForm1::N3Click() {
    m_services.messageBox->showPlain(HiddenCostumeNote());
    m_services.messageBox->showPlain(WaveFileNote());
}

} // namespace rotenu
