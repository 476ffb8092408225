#include "feedtimer/Timer.h"

#include "ui_Timer.h"

#include "feedtimer/ButtonGlyphs.h"
#include "feedtimer/RepeatingTimer.h"
#include "platform/Beeper.h"
#include "platform/WavePlayer.h"
#include "widgets/AccessibleControls.h"
#include "widgets/FixedHeightItemDelegate.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QKeyEvent>
#include <QShowEvent>

namespace rotenu {
namespace {

const QColor clBlack(0, 0, 0);
const QColor clRed(255, 0, 0);
const QColor clBlue(0, 0, 255);

// The user's alarm sound, a bare name looked for in the current directory.
QString AlarmWaveFile() {
    return QStringLiteral("test.WAV");
}

// A label's width follows its text; its height and place stay as designed.
void FitWidthToText(QLabel& label) {
    label.resize(label.sizeHint().width(), label.height());
}

} // namespace

TForm2::TForm2(const PlatformServices& services, QWidget* parent)
    : TForm2(services, SystemMonotonicClock(), parent) {}

TForm2::TForm2(const PlatformServices& services, MonotonicClock& clock, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TForm2>()), m_services(services) {
    ui->setupUi(this);
    setModal(false);
    setSizeGripEnabled(false);

    Timer1 = new RepeatingTimer(clock, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &RepeatingTimer::timeout, this, &TForm2::Timer1Timer);

    connect(ui->BitBtn1, &QPushButton::clicked, this, &TForm2::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);

    ui->ComboBox1->setItemDelegate(new FixedHeightItemDelegate(12, ui->ComboBox1));
    // A bar without text repaints by itself only when its value has moved by a whole chunk of
    // the style; the fill must grow at every tick.
    connect(ui->ProgressBar1, &QProgressBar::valueChanged, ui->ProgressBar1, qOverload<>(&QWidget::update));
    FitWidthToText(*ui->Label1);
    ReadComboBoxValue(*ui->ComboBox1, ui->Label1->text());
    MakeStatusLine(*ui->Label2);
    SetStatus(ui->Label2->text(), clBlack);
    ui->BitBtn1->setFocus(Qt::OtherFocusReason);
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::showEvent(QShowEvent* event) {
    // The glyphs are read when the window is first shown, not at start-up, where it is created hidden.
    if (ui->BitBtn1->icon().isNull()) {
        ui->BitBtn1->setIcon(EveryCycleAlarmGlyph());
        ui->BitBtn2->setIcon(OneCycleAlarmGlyph());
        ui->BitBtn3->setIcon(StopAlarmGlyph());
        ui->BitBtn4->setIcon(CloseDoorGlyph());
    }
    QDialog::showEvent(event);
    // Some Qt versions deliver a show event again when an open dialog is shown again; the window
    // was not hidden, so nothing is reset.
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    // An alarm is to come: the first one then starts as soon as any other.
    m_services.wavePlayer->prepare();
    m_placement.onShow(*this);
    FormShow();
}

void TForm2::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    // A minimised window is hidden spontaneously and shown again as it was.
    if (!event->spontaneous())
        m_shown = false;
}

void TForm2::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void TForm2::keyPressEvent(QKeyEvent* event) {
    // Escape presses the cancel button; the dialog's own Escape would close the window.
    if (event->matches(QKeySequence::Cancel)) {
        ui->BitBtn3->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm2::SetStatus(const QString& text, const QColor& color) {
    QPalette palette = ui->Label2->palette();
    palette.setColor(QPalette::WindowText, color);
    ui->Label2->setPalette(palette);
    ui->Label2->setText(text);
    FitWidthToText(*ui->Label2);
    // Spoken as it appears, wherever the focus is.
    if (isVisible())
        Announce(*ui->Label2);
}

void TForm2::FormCreate() {
    ui->ComboBox1->setCurrentIndex(kDefaultWaitIndex);
}

void TForm2::FormShow() {
    Timer1->setEnabled(false);
    ui->ProgressBar1->setValue(0);
    SetStatus(QStringLiteral(u"停止中"), clBlack);
}

void TForm2::FormClose() {
    Timer1->setEnabled(false);
}

// Both start buttons: while the one-second rhythm already runs, the timer settings stay as they
// are and the rhythm goes on.
void TForm2::StartAlarm(const QString& status, const QColor& color, TAlarmMode mode) {
    SetStatus(status, color);
    AlarmMode = mode;
    Timer1->setInterval(kTickMilliseconds);
    Timer1->setEnabled(true);
    ui->ProgressBar1->setValue(0);
}

void TForm2::BitBtn1Click() {
    StartAlarm(QStringLiteral(u"毎周期アラーム動作中"), clRed, amEveryCycle);
}

void TForm2::BitBtn2Click() {
    StartAlarm(QStringLiteral(u"一周期アラーム動作中"), clBlue, amOneCycle);
}

void TForm2::BitBtn3Click() {
    FormShow();
}

void TForm2::BitBtn4Click() {
    close();
}

void TForm2::Timer1Timer() {
    if (AlarmMode == amWaiting) {
        Timer1->setInterval(kTickMilliseconds);
        AlarmMode = amEveryCycle;
        return;
    }
    ui->ProgressBar1->setValue(ui->ProgressBar1->value() + 1);
    if (ui->ProgressBar1->value() < kFeedingTicks)
        return;
    SoundAlarm();
    if (AlarmMode == amOneCycle) {
        ui->ProgressBar1->setValue(0);
        Timer1->setEnabled(false);
        SetStatus(QStringLiteral(u"一周期アラーム終了"), clBlue);
        return;
    }
    ui->ProgressBar1->setValue(0);
    const int wait = ui->ComboBox1->currentIndex() * kWaitStepMilliseconds;
    if (wait > 0) {
        Timer1->setInterval(wait);
        AlarmMode = amWaiting;
    }
}

void TForm2::SoundAlarm() {
    Beeper* beeper = m_services.beeper;
    m_services.wavePlayer->playAsync(AlarmWaveFile(), [beeper] { beeper->beep(); });
}

} // namespace rotenu
