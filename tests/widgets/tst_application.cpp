// The application object: its title, and the general error report that shows an exception
// escaping an event handler and goes on.
#include "tests/support/FakePlatform.h"
#include "widgets/Application.h"
#include "widgets/ApplicationTitle.h"

#include <QPushButton>
#include <QScopeGuard>
#include <QTest>

#include <stdexcept>

using namespace rotenu;

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void applicationTitle();
    void errorReportShowsTheErrorAndGoesOn_data();
    void errorReportShowsTheErrorAndGoesOn();
};

void TestApplication::applicationTitle() {
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("rotenu")), QStringLiteral("rotenu"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("ROTENU.EXE")), QStringLiteral("Rotenu"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("roTeNu.tar.gz")), QStringLiteral("rotenu"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral("Tst_Platform")), QStringLiteral("Tst_platform"));
    QCOMPARE(ApplicationTitleFromFileName(QStringLiteral(".hidden")), QString());
    QCOMPARE(ApplicationTitle(), QStringLiteral("tst_application"));
}

void TestApplication::errorReportShowsTheErrorAndGoesOn_data() {
    QTest::addColumn<bool>("queued");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QString>("shown");
    // A handler connected through ReportingErrors reports at once; a call that Qt delivers as an
    // event (a queued one) reaches Application::notify.
    const QString registryError = QStringLiteral(u"'' のデータ型が不正です");
    QTest::newRow("handler, std::exception") << false << true << registryError;
    QTest::newRow("handler, other exception") << false << false << QStringLiteral("Unknown error");
    QTest::newRow("queued call, std::exception") << true << true << registryError;
    QTest::newRow("queued call, other exception") << true << false << QStringLiteral("Unknown error");
}

void TestApplication::errorReportShowsTheErrorAndGoesOn() {
    QFETCH(bool, queued);
    QFETCH(bool, standard);
    QFETCH(QString, shown);
    auto* application = qobject_cast<Application*>(QCoreApplication::instance());
    QVERIFY(application);
    testing::RecordingMessageBox report;
    application->setErrorReport(&report);
    const auto noReport = qScopeGuard([application] { application->setErrorReport(nullptr); });

    int calls = 0;
    const auto fail = [&] {
        ++calls;
        if (standard)
            throw std::runtime_error(shown.toStdString());
        throw 42;
    };
    QPushButton button(QStringLiteral("throw"));
    connect(&button, &QPushButton::clicked, &button, ReportingErrors(fail));
    button.show();
    for (int i = 0; i < 2; ++i) {
        if (queued)
            QMetaObject::invokeMethod(&button, fail, Qt::QueuedConnection);
        else
            QTest::mouseClick(&button, Qt::LeftButton);
    }
    QTRY_COMPARE(calls, 2);
    QCOMPARE(report.shown, QStringList(2, shown));
    QVERIFY(button.isVisible());
}

int main(int argc, char** argv) {
    Application application(argc, argv);
    TestApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
