#pragma once
// The main window: a player name in, its section ID and the strings that lead to a wanted ID out.

#include "platform/PlatformServices.h"
#include "widgets/WindowPlacement.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class TForm1;
}

namespace rotenu {

class TForm2;
class TVarDigForm;

class TForm1 final : public QMainWindow {
    Q_OBJECT
public:
    // The 12-byte limit of a name.
    static constexpr int kNameByteLimit = 12;

    explicit TForm1(const PlatformServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    // The windows that the menu shows; created after this one.
    void attachWindows(TForm2* feedingTimer, TVarDigForm* versionDialog);

    // Handlers, named after their control and event.
    void FormShow();
    bool Edit1KeyPress(int characterCode);
    void NameChange();
    void RadioGroup1Click();
    void ShowSectionId(int score);
    void ListBox1DblClick();
    void Exit1Click();
    void MaguEsaClick();
    void V1Click();
    void N3Click();

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Edit1Change(const QString& text);
    // Enter and the first arrow key in the suggestion list; true when it took the event.
    bool suggestionListEvent(QEvent* event);
    int selectedAlgorithm() const;
    std::string nameBytes() const;

    std::unique_ptr<Ui::TForm1> ui;
    PlatformServices m_services;
    TForm2* Form2 = nullptr;
    TVarDigForm* VarDigForm = nullptr;
    CenterOnFirstShow m_placement;
    // The name that NameChange ran for last; Qt signals textChanged also when nothing changed.
    QString m_lastName;
};

} // namespace rotenu
