// At twice the pixel density (QT_SCALE_FACTOR=2) the windows keep their designed layout in
// device-independent pixels, draw at the full resolution, and cut nothing off.

#include "tests/support/WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

using namespace rotenu;

namespace {

constexpr qreal ScaleFactor = 2.0;

QString Describe(const QWidget* widget) {
    return widget->objectName().isEmpty() ? QString::fromLatin1(widget->metaObject()->className())
                                          : widget->objectName();
}

// The text of a control without its mnemonic marker.
QString ShownText(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Whether the text, drawn as the control draws it into the box but without clipping it there, puts
// ink outside the box: what the control would cut off. Faint edge pixels of smoothing do not count.
bool InkOutside(const QWidget& control, const QString& text, const QRect& box, int flags) {
    constexpr int Room = 16;
    const qreal ratio = control.devicePixelRatioF();
    QImage canvas((box.size() + QSize(2 * Room, 2 * Room)) * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    // Sizes in points become the same pixels as on the control's screen.
    canvas.setDotsPerMeterX(qRound(control.logicalDpiX() / 0.0254));
    canvas.setDotsPerMeterY(qRound(control.logicalDpiY() / 0.0254));
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.setFont(control.font());
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(Room, Room), box.size()), flags | Qt::TextDontClip, text);
    painter.end();
    const QRect inside(QPoint(Room, Room) * ratio, box.size() * ratio);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (qGray(canvas.pixel(x, y)) < 128 && !inside.contains(x, y))
                return true;
    return false;
}

// A window drawn at the full resolution has device pixel rows and columns of its own; one drawn
// at the designed size and then enlarged has every row and column twice. (A window of one colour
// looks the same either way.)
bool DrawnAtFullResolution(QWidget& window) {
    const QPixmap picture = window.grab();
    if (picture.size() != window.size() * ScaleFactor)
        return false;
    const QImage image = picture.toImage();
    bool oneColor = true;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel != image.pixel(x + 1, y) || pixel != image.pixel(x, y + 1))
                return true;
            oneColor = oneColor && pixel == image.pixel(0, 0);
        }
    return oneColor;
}

// What is wrong in a window at twice the density, empty if nothing: drawn at the designed size and
// enlarged; controls that stick out of their parent, texts that do not fit into their control. (A
// drop-down list may be narrower than its lines: its tooltip shows the whole line.)
QString Problems(QWidget& window) {
    QStringList problems;
    if (!DrawnAtFullResolution(window))
        problems << QStringLiteral("drawn at the designed size and enlarged");
    const auto note = [&](const QWidget* widget, const char* format, auto... values) {
        problems << Describe(widget) + QStringLiteral(": ") + QString::asprintf(format, values...);
    };
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->isWindow())
            continue;
        const QWidget* parent = widget->parentWidget();
        if (!parent->rect().contains(widget->geometry()))
            note(widget, "at %d,%d %dx%d outside its parent of %dx%d", widget->x(), widget->y(),
                 widget->width(), widget->height(), parent->width(), parent->height());
        const QFontMetrics metrics = widget->fontMetrics();
        if (const auto* label = qobject_cast<const QLabel*>(widget); label && !label->text().isEmpty()) {
            const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            if (InkOutside(*label, label->text(), label->contentsRect(), flags))
                note(widget, "its text does not fit into %dx%d", label->contentsRect().width(),
                     label->contentsRect().height());
        } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            // Picture, gap and text side by side within the button's frame.
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect contents =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const int needed = (button->icon().isNull() ? 0 : button->iconSize().width() + 4) +
                               metrics.horizontalAdvance(ShownText(button->text()));
            if (needed > contents.width())
                note(widget, "its picture and text need a width of %d of %d", needed, contents.width());
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            if (button->sizeHint().width() > button->width())
                note(widget, "its text needs a width of %d of %d", button->sizeHint().width(),
                     button->width());
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            if (metrics.horizontalAdvance(ShownText(group->title())) > group->width())
                note(widget, "its title is wider than the group");
        }
    }
    return problems.join(QStringLiteral("; "));
}

} // namespace

class TestHighDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void mainWindowKeepsItsLayout();
    void feedingTimerKeepsItsLayout();
    void versionDialogCutsNothingOff();

private:
    testing::WindowFixture windows;
    TForm1* form = &windows.mainWindow;
    TForm2* timer = &windows.feedingTimer;
};

void TestHighDpi::initTestCase() {
    QVERIFY(windows.showMainWindow());
    QVERIFY2(qFuzzyCompare(form->devicePixelRatioF(), ScaleFactor), "run with QT_SCALE_FACTOR=2");
}

void TestHighDpi::mainWindowKeepsItsLayout() {
    QCOMPARE(form->centralWidget()->size(), QSize(305, 321));
    QCOMPARE(form->size(), QSize(305, 321 + windows.child<QMenuBar>("MainMenu1")->height()));
    QCOMPARE(windows.child<QWidget>("ListBox1")->geometry(), QRect(8, 216, 289, 97));

    // Items keep their height of 16, so the list shows as many lines as designed.
    auto* list = windows.child<QListWidget>("ListBox1");
    QTest::keyClicks(windows.child<QWidget>("Edit1"), QStringLiteral("Rico-7"));
    QVERIFY(list->count() > 0);
    QCOMPARE(list->visualItemRect(list->item(0)).height(), 16);
    QCOMPARE(Problems(*form), QString());
}

void TestHighDpi::feedingTimerKeepsItsLayout() {
    windows.child<QAction>("N1")->trigger();
    QVERIFY(QTest::qWaitForWindowExposed(timer));
    QCOMPARE(timer->size(), timer->minimumSize());
    QCOMPARE(timer->size(), timer->maximumSize());
    QCOMPARE(Problems(*timer), QString());
    timer->close();
}

void TestHighDpi::versionDialogCutsNothingOff() {
    QVERIFY(testing::InspectModal([&] { windows.child<QAction>("V1")->trigger(); },
                                  [&](QWidget& dialog) {
                                      QCOMPARE(&dialog, &windows.versionDialog);
                                      QCOMPARE(Problems(dialog), QString());
                                  }));
}

int main(int argc, char** argv) {
    return testing::WindowTestMain<TestHighDpi>(argc, argv);
}

#include "tst_hidpi.moc"
