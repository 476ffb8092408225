// The cost of the main window's recomputation (NameChange: score, ID text and colours, list refill)
// on a shown window, and of a whole keystroke in the name field (key filter, byte limit, the
// recomputation and the repaint that follows), side by side with a keystroke in a plain QLineEdit
// of the same font in its own window: rounds alternate between the two. Prints medians in
// microseconds.

#include "app/Main.h"
#include "look/FontSubstitutions.h"
#include "tests/support/FakePlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Types a character and deletes it again, `keys` keystrokes in all, each with the repaint after it.
void TimeKeystrokes(QLineEdit* edit, int keys, std::vector<double>& samples) {
    for (int i = 0; i < keys; ++i) {
        const auto start = Clock::now();
        if (i % 2 == 0)
            QTest::keyClick(edit, Qt::Key_7, Qt::NoModifier);
        else
            QTest::keyClick(edit, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::processEvents();
        samples.push_back(Microseconds(Clock::now() - start));
    }
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        return samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))];
    };
    std::printf("%-28s median %8.2f us   p10 %8.2f   p90 %8.2f   (%zu calls)\n", what, at(0.5), at(0.1),
                at(0.9), samples.size());
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    rotenu::InstallFontSubstitutions();
    rotenu::testing::FakePlatform platform;
    rotenu::TForm1 form(platform.services);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    auto* edit1 = form.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    auto* combo = form.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    if (!edit1 || !combo)
        return 1;

    // Names of every section ID and length, with the wanted ID moving along, so that each call
    // shows another ID and fills another list.
    const QStringList names = {
        QStringLiteral("A"),      QStringLiteral("AB"),         QStringLiteral("Nova"),
        QStringLiteral("Rico-7"), QStringLiteral("BRELOTKAMU"), QStringLiteral("ABCDEFGHIJKL"),
        QStringLiteral("Xy-7"),   QStringLiteral("abc"),        QStringLiteral("zzzzzzzzzzzz"),
        QStringLiteral(u"テスト")};
    constexpr int calls = 20000;
    std::vector<double> recompute;
    recompute.reserve(calls);
    for (int i = 0; i < calls; ++i) {
        {
            const QSignalBlocker quiet(edit1);
            edit1->setText(names[i % names.size()]);
        }
        combo->setCurrentIndex(i % 7);
        const auto start = Clock::now();
        form.NameChange();
        recompute.push_back(Microseconds(Clock::now() - start));
        if (i % 64 == 0)
            QCoreApplication::processEvents();
    }
    Report("NameChange", recompute);

    // The plain field: the name field's font, in a window of the main window's size beside it.
    QWidget plainWindow;
    plainWindow.resize(form.size());
    QLineEdit plain(&plainWindow);
    plain.setGeometry(edit1->geometry());
    plain.setFont(edit1->font());
    plainWindow.move(form.x() + form.width() + 16, form.y());
    plainWindow.show();
    if (!QTest::qWaitForWindowExposed(&plainWindow))
        return 1;

    edit1->clear();
    QTest::keyClicks(edit1, QStringLiteral("Rico-"));
    QTest::keyClicks(&plain, QStringLiteral("Rico-"));
    constexpr int rounds = 15;
    constexpr int keysPerRound = 400;
    std::vector<double> ours;
    std::vector<double> plainKeys;
    for (int round = 0; round < rounds; ++round) {
        if (round % 2 == 0) {
            TimeKeystrokes(edit1, keysPerRound, ours);
            TimeKeystrokes(&plain, keysPerRound, plainKeys);
        } else {
            TimeKeystrokes(&plain, keysPerRound, plainKeys);
            TimeKeystrokes(edit1, keysPerRound, ours);
        }
    }
    Report("keystroke, Edit1", ours);
    Report("keystroke, plain QLineEdit", plainKeys);
    std::printf("%-28s %.2f\n", "ratio Edit1/plain", Median(ours) / Median(plainKeys));
    return 0;
}
