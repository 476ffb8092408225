#include "about/VarDigLayout.h"
#include "about/VarDigTexts.h"
#include "look/ExecutableIcon.h"
#include "look/FontSubstitutions.h"
#include "tests/support/WindowFixture.h"
#include "text/ShiftJis.h"
#include "version/EmbeddedVersionResource.h"
#include "widgets/Application.h"
#include "widgets/AutoSizeLabel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

using namespace rotenu;

namespace {

const std::string kRotenu = "\x82\xEB\x82\xC4\x82\xCA"; // ろてぬ
const std::string kVarko = "\x83\x94\x83\x40\x83\x8B\x83\x52\x81\x5E"
                           "Varko"; // ヴァルコ／Varko
const std::string kTable = "\\StringFileInfo\\041103A4\\";
// The values that the program carries empty.
const char* const kEmptyKeys[] = {"FileDescription",  "InternalName",   "LegalCopyright", "LegalTrademarks",
                                  "OriginalFilename", "ProductVersion", "Comments"};

// The block that the program carries.
VersionBlock ProgramBlock() {
    VersionBlock block;
    block.setValue("\\VarFileInfo\\Translation", TranslationEntry(0x0411, 0x03A4));
    block.setValue(kTable + "CompanyName", kVarko);
    block.setValue(kTable + "FileVersion", "1.5.0.0");
    block.setValue(kTable + "ProductName", kRotenu);
    for (const char* key : kEmptyKeys)
        block.setValue(kTable + key, "");
    return block;
}

QRect ToQRect(const VarDigRect& r) {
    return {r.left, r.top, r.width, r.height};
}

} // namespace

class TestVersionDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void showsTheProgramsTextsLaidOutFromTheMeasuredLabels();
    void emptyCreditsAndEmptyList();
    void listItemsHintAndWebButton();
    void webButtonStartsTheRegisteredBrowser();
    void registryErrorIsReportedAndTheDialogStaysOpen();
    void secondShowingKeepsLayoutAndPlace();
    void versionValuesAreReadAfreshByTranslation();
    void embeddedVersionBlockAndIcon();
    void selfSizingLabelMeasuresAndCentersItsLines();
    void helpMenuBeepsAndShowsTheDialogModally();

private:
    template <typename T> T* child(const char* name) { return testing::ChildNamed<T>(*dialog, name); }
    AutoSizeLabel* label(const char* name) { return child<AutoSizeLabel>(name); }
    QComboBox* combo() { return child<QComboBox>("ComboBox1"); }
    // Shows the dialog modally with the texts and runs `inspect` while it is open, then presses its
    // close button. Returns whether it was shown and the close button ended the showing.
    bool showWhile(const std::string& about, const std::string& credits, const std::string& pages,
                   const std::function<void()>& inspect);
    void checkLaidOutAsMeasured();

    std::optional<testing::WindowFixture> windows;
    testing::FakePlatform* platform = nullptr;
    TVarDigForm* dialog = nullptr;
};

void TestVersionDialog::init() {
    platform = &windows.emplace().platform;
    platform->versionResource.block = ProgramBlock();
    dialog = &windows->versionDialog;
}

bool TestVersionDialog::showWhile(const std::string& about, const std::string& credits,
                                  const std::string& pages, const std::function<void()>& inspect) {
    bool closedByItsButton = false;
    const bool shown =
        testing::InspectModal([&] { dialog->ShowVarDig(about, credits, pages); },
                              [&](QWidget& modal) {
                                  QCOMPARE(&modal, dialog);
                                  inspect();
                                  QTest::mouseClick(child<QPushButton>("BitBtn1"), Qt::LeftButton);
                                  closedByItsButton = !dialog->isVisible();
                              });
    return shown && closedByItsButton;
}

// Every control where the layout rules put it for the sizes that the labels take for their texts;
// the rules themselves are tst_version_text's.
void TestVersionDialog::checkLaidOutAsMeasured() {
    VarDigMeasures measures;
    measures.label1 = {label("Label1")->textSize().width(), label("Label1")->textSize().height()};
    measures.label2 = {label("Label2")->textSize().width(), label("Label2")->textSize().height()};
    measures.hasCredits = !label("Label2")->text().isEmpty();
    measures.hasWebPages = combo()->count() > 0;
    const VarDigLayout layout = ComputeVarDigLayout(measures);
    QCOMPARE(dialog->size(), QSize(layout.clientWidth, layout.clientHeight));
    QCOMPARE(label("Label1")->geometry(), ToQRect(layout.label1));
    QCOMPARE(label("Label2")->geometry(), ToQRect(layout.label2));
    QCOMPARE(child<QPushButton>("BitBtn1")->geometry(), ToQRect(layout.bitBtn1));
    QCOMPARE(combo()->isVisible(), layout.comboBox1Visible);
    QCOMPARE(child<QPushButton>("BitBtn2")->isVisible(), layout.bitBtn2Visible);
    if (layout.comboBox1Visible) {
        QCOMPARE(combo()->geometry(), ToQRect(layout.comboBox1));
        QCOMPARE(child<QPushButton>("BitBtn2")->geometry(), ToQRect(layout.bitBtn2));
    }
}

void TestVersionDialog::showsTheProgramsTextsLaidOutFromTheMeasuredLabels() {
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT, [&] {
        QCOMPARE(dialog->windowTitle(), QStringLiteral(u"バージョン情報"));
        QVERIFY(dialog->windowFlags().testFlag(Qt::Tool));
        QVERIFY(!dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());

        QCOMPARE(label("Label1")->text(),
                 QStringLiteral(u"ろてぬ Ver1.5\r\n\r\nProgramCode: ヴァルコ／Varko\r\n"
                                u"(PSO CharacterName: Varko_\?\?\?\?\?\?)"));
        QCOMPARE(label("Label2")->text(),
                 QStringLiteral(u"●ID Algorithm1: ぽてま\r\n●ID Algorithm2: Ｋｏｒ"));
        QCOMPARE(label("Label1")->font().family(), ProportionalGothicFamily());
        QCOMPARE(label("Label2")->font().family(), FixedGothicFamily());
        QCOMPARE(combo()->font().family(), FixedGothicFamily());
        for (QWidget* w : QWidgetList{label("Label1"), label("Label2"), combo()})
            QCOMPARE(QFontInfo(w->font()).pixelSize(), 12);
        QCOMPARE(combo()->palette().color(QPalette::Text), QColor(0, 0, 255));
        QCOMPARE(child<QPushButton>("BitBtn1")->text(), QStringLiteral(u"閉じる"));
        QCOMPARE(child<QPushButton>("BitBtn2")->text(), QStringLiteral(u"Web表示"));
        // The door has its own grey picture for the disabled state; the page has a picture.
        const QIcon door = child<QPushButton>("BitBtn1")->icon();
        QVERIFY(!door.isNull());
        QVERIFY(door.pixmap(18, 18, QIcon::Disabled).toImage() !=
                door.pixmap(18, 18, QIcon::Normal).toImage());
        QVERIFY(!child<QPushButton>("BitBtn2")->icon().isNull());
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>("BitBtn1"));
        QCOMPARE(testing::TabOrder(3), QStringLiteral("BitBtn2 ComboBox1 BitBtn1"));

        // Four lines and two lines of 13 pixels (the Gothic fonts at 12 pixels: ascent 11, descent
        // 2); the fixed-pitch credits measure 4 double-byte characters of 12 and 15 single-byte
        // ones of 6 pixels.
        QCOMPARE(label("Label1")->textSize().height(), 4 * 13);
        QCOMPARE(label("Label2")->textSize(), QSize(138, 2 * 13));

        checkLaidOutAsMeasured();
        QVERIFY(combo()->isVisible());
        QCOMPARE(child<QLabel>("Image1")->geometry(), QRect(8, 8, 32, 32));
    }));
    // The icon of the program, as the executable carries it.
    QCOMPARE(child<QLabel>("Image1")->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
             ExecutableIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32));
}

void TestVersionDialog::emptyCreditsAndEmptyList() {
    QVERIFY(showWhile(ABOUT_TEMPLATE, "", WEB_PAGES_TEXT, [&] {
        QCOMPARE(label("Label2")->height(), 0);
        checkLaidOutAsMeasured();
    }));
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, "", [&] {
        QVERIFY(!combo()->isVisible());
        checkLaidOutAsMeasured();
    }));
    // Placeholders stand unexpanded outside the About text.
    QVERIFY(showWhile("%PRODUCTNAME%", "%COMPANYNAME%", "%FILEVERSION% http://a/", [&] {
        QCOMPARE(label("Label1")->text(), QStringLiteral(u"ろてぬ"));
        QCOMPARE(label("Label2")->text(), QStringLiteral("%COMPANYNAME%"));
        QCOMPARE(combo()->currentText(), QStringLiteral("%FILEVERSION% http://a/"));
    }));
}

void TestVersionDialog::listItemsHintAndWebButton() {
    const std::string pages = "[one] ftp://files.example.com/ http://one.example.com/\r\n"
                              "\r\n"
                              "[two] HTTP://Two.Example.COM/\r"
                              "[secure] https://three.example.com/\n"
                              "[\x82\xDB\x82\xC4\x82\xDC WebPage] file:///usr/share/doc/\r\n";
    std::vector<std::string> opened;
    dialog->setWebPageOpener([&](const std::string& address) { opened.push_back(address); });
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, pages, [&] {
        QStringList items;
        for (int i = 0; i < combo()->count(); ++i)
            items << combo()->itemText(i);
        QCOMPARE(items, (QStringList{QStringLiteral("[one] ftp://files.example.com/ http://one.example.com/"),
                                     QString(), QStringLiteral("[two] HTTP://Two.Example.COM/"),
                                     QStringLiteral("[secure] https://three.example.com/"),
                                     QStringLiteral(u"[ぽてま WebPage] file:///usr/share/doc/")}));
        QCOMPARE(combo()->currentIndex(), 0);
        QCOMPARE(combo()->toolTip(), items[0]);
        QVERIFY(!combo()->isEditable());

        auto* web = child<QPushButton>("BitBtn2");
        QTest::mouseClick(web, Qt::LeftButton);
        // Each pick by keyboard moves the hint along; the web button opens what the line holds.
        for (int i = 1; i < items.size(); ++i) {
            combo()->setFocus();
            QTest::keyClick(combo(), Qt::Key_Down);
            QCOMPARE(combo()->currentIndex(), i);
            QCOMPARE(combo()->toolTip(), items[i]);
            QTest::mouseClick(web, Qt::LeftButton);
        }
        QCOMPARE(opened, (std::vector<std::string>{"http://one.example.com/", "HTTP://Two.Example.COM/",
                                                   "file:///usr/share/doc/"}));
    }));
    // Selecting from code is no pick: the hint stays.
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT, [&] {
        combo()->setCurrentIndex(2);
        QCOMPARE(combo()->toolTip(), QStringLiteral("[VARKO  WebPage] http://varko.example.com/"));
        QTest::mouseClick(child<QPushButton>("BitBtn2"), Qt::LeftButton);
        QCOMPARE(opened.back(), std::string("http://kor.example.com/"));
    }));
}

void TestVersionDialog::webButtonStartsTheRegisteredBrowser() {
    // The address goes to the browser command of the .htm class.
    platform->classesRegistry.addTextKey(".htm", "htmlfile");
    platform->classesRegistry.addTextKey("htmlfile\\Shell\\Open\\Command", "browser \"%1\"");
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT, [&] {
        QTest::mouseClick(child<QPushButton>("BitBtn2"), Qt::LeftButton);
        QCOMPARE(platform->commandStarter.started,
                 (std::vector<std::string>{"browser \"http://varko.example.com/\""}));
    }));
}

void TestVersionDialog::registryErrorIsReportedAndTheDialogStaysOpen() {
    static_cast<Application*>(QCoreApplication::instance())->setErrorReport(&platform->messageBox);
    platform->classesRegistry.addKey(".htm", {RegistryValue::Type::Other, "htmlfile"});
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT, [&] {
        QTest::mouseClick(child<QPushButton>("BitBtn2"), Qt::LeftButton);
        QCOMPARE(platform->messageBox.shown, QStringList{QStringLiteral(u"'' のデータ型が不正です")});
        QVERIFY(dialog->isVisible());
        QVERIFY(platform->commandStarter.started.empty());
    }));
    static_cast<Application*>(QCoreApplication::instance())->setErrorReport(nullptr);
}

void TestVersionDialog::secondShowingKeepsLayoutAndPlace() {
    QRect first;
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT, [&] {
        first = dialog->geometry();
        dialog->move(first.topLeft() + QPoint(-30, 25));
    }));
    QVERIFY(showWhile(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT, [&] {
        QCOMPARE(dialog->pos(), first.topLeft() + QPoint(-30, 25));
        QCOMPARE(dialog->size(), first.size());
        checkLaidOutAsMeasured();
        QCOMPARE(label("Label1")->text().section(QStringLiteral("\r\n"), 0, 0),
                 QStringLiteral(u"ろてぬ Ver1.5"));
        QCOMPARE(combo()->count(), 3);
    }));
    // The close box ends the showing as the close button does.
    QTimer::singleShot(0, dialog, [&] { dialog->close(); });
    dialog->ShowVarDig(ABOUT_TEMPLATE, CREDITS_TEXT, WEB_PAGES_TEXT);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->size(), first.size());
}

void TestVersionDialog::versionValuesAreReadAfreshByTranslation() {
    auto& resource = platform->versionResource;
    QCOMPARE(dialog->GetVersionValue("CompanyName"), kVarko);
    QCOMPARE(dialog->GetVersionValue("FileVersion"), std::string("1.5.0.0"));
    QCOMPARE(dialog->GetVersionValue("Comments"), std::string());
    QCOMPARE(dialog->GetVersionValue("NoSuchKey"), std::string());
    QCOMPARE(dialog->GetVersionValue("companyname"), std::string());

    // Nothing is kept between calls.
    const int reads = resource.reads;
    resource.block->setValue(kTable + "ProductName", "changed");
    QCOMPARE(dialog->GetVersionValue("ProductName"), std::string("changed"));
    QCOMPARE(resource.reads, reads + 1);
    // Text ends at its first NUL.
    resource.block->setValue(kTable + "ProductName", std::string("ab\0cd", 5));
    QCOMPARE(dialog->GetVersionValue("ProductName"), std::string("ab"));

    // Only the first translation entry names the string table.
    VersionBlock other = ProgramBlock();
    other.setValue("\\VarFileInfo\\Translation",
                   TranslationEntry(0x0409, 0x04B0) + TranslationEntry(0x0411, 0x03A4));
    other.setValue("\\StringFileInfo\\040904B0\\CompanyName", "English");
    resource.block = other;
    QCOMPARE(dialog->GetVersionValue("CompanyName"), std::string("English"));
    QCOMPARE(dialog->GetVersionValue("ProductName"), std::string());

    // No translation, a cut-off translation, no block, no resource at all: empty texts.
    for (const char* translation : {"", "\x11\x04"}) {
        resource.block = ProgramBlock();
        resource.block->setValue("\\VarFileInfo\\Translation", translation);
        QCOMPARE(dialog->GetVersionValue("CompanyName"), std::string());
    }
    resource.block.reset();
    QCOMPARE(dialog->GetVersionValue("CompanyName"), std::string());
    QVERIFY(showWhile(ABOUT_TEMPLATE, "", "", [&] {
        QCOMPARE(label("Label1")->text(),
                 QStringLiteral(" Ver.\r\n\r\nProgramCode: \r\n(PSO CharacterName: Varko_\?\?\?\?\?\?)"));
    }));
}

void TestVersionDialog::embeddedVersionBlockAndIcon() {
    // What the build embedded: the program's own values under Japanese / code page 932.
    EmbeddedVersionResource embedded;
    const auto block = embedded.readVersionBlock();
    QVERIFY(block.has_value());
    QCOMPARE(block->queryValue("\\VarFileInfo\\Translation").value_or(""), TranslationEntry(0x0411, 0x03A4));
    PlatformServices services = platform->services;
    services.versionResource = &embedded;
    TVarDigForm form(services);
    QCOMPARE(form.GetVersionValue("CompanyName"), kVarko);
    QCOMPARE(form.GetVersionValue("FileVersion"), std::string("1.5.0.0"));
    QCOMPARE(form.GetVersionValue("ProductName"), kRotenu);
    for (const char* key : kEmptyKeys) {
        QVERIFY(block->queryValue(kTable + key).has_value());
        QCOMPARE(form.GetVersionValue(key), std::string());
    }

    // A missing or empty resource is no block; entries that cannot be read are left out.
    QVERIFY(!EmbeddedVersionResource(QStringLiteral(":/no/such/block")).readVersionBlock());
    QVERIFY(!ParseVersionBlock(QByteArrayLiteral("# only a comment\n\n")));
    const auto parsed =
        ParseVersionBlock(QByteArrayLiteral("\\VarFileInfo\\Translation\tzz:03A4 0409:04B0\r\n"
                                            "no tab here\n\\StringFileInfo\\040904B0\\X\tv\n"));
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->queryValue("\\VarFileInfo\\Translation").value_or(""), TranslationEntry(0x0409, 0x04B0));
    QCOMPARE(parsed->queryValue("\\StringFileInfo\\040904B0\\X").value_or(""), "v");

    // The program's icon: 32 x 32 and 16 x 16, at most 16 colours each.
    const QIcon icon = ExecutableIcon();
    QVERIFY(!icon.isNull());
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    QVERIFY(icon.availableSizes().contains(QSize(16, 16)));
    for (int side : {32, 16}) {
        const QImage image = icon.pixmap(side, side).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        QSet<QRgb> colours;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    colours.insert(image.pixel(x, y));
        QVERIFY(colours.size() > 4 && colours.size() <= 16);
    }
}

void TestVersionDialog::selfSizingLabelMeasuresAndCentersItsLines() {
    QWidget parent;
    AutoSizeLabel label(&parent);
    label.setFont(QFont(FixedGothicFamily(), 9));
    const QFontMetrics metrics(label.font());
    label.move(5, 7);
    label.setText(QString());
    QCOMPARE(label.size(), QSize(metrics.horizontalAdvance(QLatin1Char(' ')), metrics.height()));
    label.setText(QStringLiteral("ab\r\ncdef\r\nx"));
    QCOMPARE(label.size(), QSize(4 * 6, 3 * metrics.height()));
    QCOMPARE(label.pos(), QPoint(5, 7));
    label.setText(QStringLiteral("one"));
    QCOMPARE(label.size(), QSize(18, metrics.height()));

    // Widened, each line stands in the middle of the box.
    label.setAlignment(Qt::AlignHCenter);
    label.setText(QStringLiteral("ii\r\nWWWWWW"));
    label.setGeometry(5, 7, 120, label.height());
    QImage image(label.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    label.render(&image);
    for (int line = 0; line < 2; ++line) {
        int left = image.width(), right = -1;
        for (int y = line * metrics.height(); y < (line + 1) * metrics.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY2(right >= 0, "line drawn");
        QVERIFY2(std::abs((left + right + 1) / 2 - 60) <= 2,
                 qPrintable(QStringLiteral("%1..%2").arg(left).arg(right)));
    }
}

void TestVersionDialog::helpMenuBeepsAndShowsTheDialogModally() {
    windows->mainWindow.show();
    QVERIFY(testing::InspectModal([&] { windows->child<QAction>("V1")->trigger(); },
                                  [&](QWidget& modal) {
                                      QCOMPARE(&modal, dialog);
                                      QCOMPARE(platform->beeper.count, 1);
                                      QCOMPARE(label("Label1")->text().section(QStringLiteral("\r\n"), 0, 0),
                                               QStringLiteral(u"ろてぬ Ver1.5"));
                                      QCOMPARE(combo()->count(), 3);
                                  }));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(windows->mainWindow.windowTitle(), QStringLiteral(u"ろてぬ Ver1.05"));
}

int main(int argc, char** argv) {
    return testing::WindowTestMain<TestVersionDialog>(argc, argv);
}

#include "tst_version_dialog.moc"
