// The cost of the main window's recomputation (NameChange: score, ID text and colours, list refill)
// on a shown window, and of a whole keystroke in the name field (key filter, byte limit, the
// recomputation and the repaint that follows). Prints medians in microseconds.

#include "app/Main.h"
#include "support/FakePlatform.h"

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

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) { return samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))]; };
    std::printf("%-28s median %8.2f us   p10 %8.2f   p90 %8.2f   (%zu calls)\n", what, at(0.5), at(0.1), at(0.9),
                samples.size());
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
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
    const QStringList names = {QStringLiteral("A"),          QStringLiteral("AB"),        QStringLiteral("Nova"),
                               QStringLiteral("Rico-7"),     QStringLiteral("BRELOTKAMU"), QStringLiteral("ABCDEFGHIJKL"),
                               QStringLiteral("Xy-7"),       QStringLiteral("abc"),       QStringLiteral("zzzzzzzzzzzz"),
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

    edit1->clear();
    QTest::keyClicks(edit1, QStringLiteral("Rico-"));
    constexpr int keys = 4000;
    std::vector<double> keystroke;
    keystroke.reserve(keys);
    for (int i = 0; i < keys; ++i) {
        const auto start = Clock::now();
        if (i % 2 == 0)
            QTest::keyClick(edit1, Qt::Key_7, Qt::NoModifier);
        else
            QTest::keyClick(edit1, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::processEvents();
        keystroke.push_back(Microseconds(Clock::now() - start));
    }
    Report("keystroke with repaint", keystroke);
    return 0;
}
