#pragma once
// The Mag feeding timer window: counts the 210-second feeding period and sounds the alarm once,
// or every cycle with a chosen wait between cycles.

#include "feedtimer/MonotonicClock.h"
#include "platform/PlatformServices.h"
#include "widgets/WindowPlacement.h"

#include <QDialog>

#include <cstdint>
#include <memory>

namespace Ui {
class TForm2;
}

namespace rotenu {

class RepeatingTimer;

class TForm2 final : public QDialog {
    Q_OBJECT
public:
    // The ticks of one feeding period; also the progress bar's maximum.
    static constexpr int kFeedingTicks = 210;
    static constexpr int kTickMilliseconds = 1000;
    static constexpr int kWaitStepMilliseconds = 10000;
    static constexpr int kDefaultWaitIndex = 3;

    explicit TForm2(const PlatformServices& services, QWidget* parent = nullptr);
    // With a clock of the caller's, which tests move forward by hand.
    TForm2(const PlatformServices& services, MonotonicClock& clock, QWidget* parent = nullptr);
    ~TForm2() override;

    // Handlers, named after their control and event.
    void FormCreate();
    void FormShow();
    void FormClose();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum TAlarmMode : std::int32_t { amOneCycle = 0, amEveryCycle = 1, amWaiting = 2 };

    void SetStatus(const QString& text, const QColor& color);
    void StartAlarm(const QString& status, const QColor& color, TAlarmMode mode);
    void SoundAlarm();

    std::unique_ptr<Ui::TForm2> ui;
    PlatformServices m_services;
    RepeatingTimer* Timer1 = nullptr;
    TAlarmMode AlarmMode = amOneCycle;
    CenterOnFirstShow m_placement;
    // Shown by the program and not hidden since: FormShow has run for this showing.
    bool m_shown = false;
};

} // namespace rotenu
