// The version dialog shown and closed again and again, as the user opens it from the Help menu:
// the resident memory after the first showings and after the last, so that what each showing
// leaves behind shows. Prints the two figures in KiB and the growth per showing.
//   vardig_showings [SHOWINGS]   (default 500)

#include "about/Lib_VarsionForm.h"
#include "about/VarDigTexts.h"
#include "look/FontSubstitutions.h"
#include "tests/support/FakePlatform.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

long ResidentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    rotenu::InstallFontSubstitutions();
    const int showings = argc > 1 ? std::max(40, std::atoi(argv[1])) : 500;
    rotenu::testing::FakePlatform platform;
    rotenu::TVarDigForm dialog(platform.services);
    const auto showOnce = [&] {
        // Closed once it is on the screen, from within its modal showing.
        QTimer::singleShot(0, &dialog, [&dialog] {
            if (QTest::qWaitForWindowExposed(&dialog))
                QTest::qWait(1);
            dialog.close();
        });
        dialog.ShowVarDig(rotenu::ABOUT_TEMPLATE, rotenu::CREDITS_TEXT, rotenu::WEB_PAGES_TEXT);
    };
    constexpr int settling = 20;
    for (int i = 0; i < settling; ++i)
        showOnce();
    const long before = ResidentKiB();
    for (int i = settling; i < showings; ++i)
        showOnce();
    const long after = ResidentKiB();
    std::printf("resident after %d showings %ld KiB, after %d showings %ld KiB: %+.2f KiB a showing\n",
                settling, before, showings, after, double(after - before) / double(showings - settling));
    return 0;
}
