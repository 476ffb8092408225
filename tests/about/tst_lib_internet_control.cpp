#include "about/Lib_InternetControl.h"
#include "tests/support/FakePlatform.h"

#include "tests/support/StdStringToString.h"

#include <QTest>

using namespace rotenu;
using testing::FakeRegistry;

namespace {

const std::string COMMAND_KEY = "htmlfile\\Shell\\Open\\Command";

RegistryValue nonText() {
    return {RegistryValue::Type::Other, std::string("\x01\x00\x00\x00", 4)};
}

} // namespace

class TestLibInternetControl : public QObject {
    Q_OBJECT
private slots:
    void expandBrowserCommand();
    void addressForCommandLineKeepsTheAddressOneArgument();
    void findBrowserCommandFollowsTheLookupOrder();
    void findBrowserCommandReadsTextValuesOnly();
    void openWebPageStartsTheCommandAfterClosingTheKeys();
};

void TestLibInternetControl::expandBrowserCommand() {
    const std::string a = "http://example.com/", x = "http://x/";
    const struct {
        std::string_view command;
        std::string address, expanded;
    } cases[] = {
        {"\"C:\\b.exe\" -url \"%1\"", a, "\"C:\\b.exe\" -url \"http://example.com/\""},
        {"b.exe %1 -new", a, "b.exe http://example.com/ -new"},
        {"b %1 %1", a, "b http://example.com/ http://example.com/"},
        {"%1", a, a},
        // The address is not scanned again: its own percent signs stay.
        {"b %1", "http://x/%1%%", "b http://x/%1%%"},
        {"b \"%1\"", "", "b \"\""},
        {"b %1", "", "b "},
        // Double-byte characters (here 0x83 0x5C and 0x83 0x75) pass through unchanged.
        {"C:\\\x83\x5C\x83\x75\\b.exe \"%1\"", "http://\x82\xDB/",
         "C:\\\x83\x5C\x83\x75\\b.exe \"http://\x82\xDB/\""},
        // Percent signs but %1 are dropped, "%%" is one.
        {"b %2%3%4%5%6%7%8%9 %1", x, "b  http://x/"},
        {"b 100%% %1", x, "b 100% http://x/"},
        {"b %0 %L %1", x, "b 0 L http://x/"},
        {"%ProgramFiles%\\b.exe %1", x, "ProgramFiles\\b.exe http://x/"},
        {std::string_view("b %\0 %1", 7), x, std::string("b \0 http://x/", 13)},
        // "%%1" is a percent sign and a 1, not the placeholder; "%%" pairs first: "%%%1" is a
        // percent sign and the address.
        {"b %%1", x, "b %1 \"http://x/\""},
        {"b %%%1", x, "b %http://x/"},
        // Without %1 the address is appended, quoted.
        {"b.exe", x, "b.exe \"http://x/\""},
        {"b.exe ", x, "b.exe  \"http://x/\""},
        {"b.exe %", x, "b.exe  \"http://x/\""},
        {"b.exe %2", x, "b.exe  \"http://x/\""},
        {"", x, " \"http://x/\""},
        {"b.exe", "", "b.exe \"\""},
    };
    for (const auto& c : cases)
        QCOMPARE(ExpandBrowserCommand(c.command, c.address), c.expanded);
}

void TestLibInternetControl::addressForCommandLineKeepsTheAddressOneArgument() {
    const std::pair<std::string_view, std::string> cases[] = {
        {"http://example.com/a-b/?q=1&r=$(x);`y`#z", "http://example.com/a-b/?q=1&r=$(x);`y`#z"},
        {"http://x/a b\tc\nd", "http://x/a%20b%09c%0Ad"},
        {"http://x/\"a\"'b'\\c", "http://x/%22a%22%27b%27%5Cc"},
        {std::string_view("a\0b\x7F", 4), "a%00b%7F"},
        {"--gpu-launcher=x", "%2D-gpu-launcher=x"},
        {"#x", "%23x"},
        // 0x5C and 0x7C as the second byte of a double-byte character are not backslashes or bars.
        {"http://x/\x83\x5C\x83\x7C\\", "http://x/\x83\x5C\x83\x7C%5C"},
        // A lead byte without a valid second byte does not shield what follows it.
        {"http://x/\x83 a", "http://x/\x83%20a"},
        {"http://x/\x83", "http://x/\x83"},
        {"", ""},
    };
    for (const auto& [address, argument] : cases)
        QCOMPARE(AddressForCommandLine(address), argument);
}

void TestLibInternetControl::findBrowserCommandFollowsTheLookupOrder() {
    {
        FakeRegistry registry;
        registry.addTextKey(".htm", "htmlfile");
        registry.addTextKey(".html", "other");
        registry.addTextKey(COMMAND_KEY, "b.exe \"%1\"");
        registry.addTextKey("other\\Shell\\Open\\Command", "wrong.exe");
        QCOMPARE(FindBrowserCommand(registry), "b.exe \"%1\"");
        QCOMPARE(registry.opened, std::vector<std::string>({".htm", "\\htmlfile\\Shell\\Open\\Command"}));
        QCOMPARE(registry.openKeys, 0);
    }
    {
        FakeRegistry registry;
        registry.addTextKey(".html", "htmlfile");
        registry.addTextKey(COMMAND_KEY, "b.exe");
        QCOMPARE(FindBrowserCommand(registry), "b.exe");
        QCOMPARE(registry.opened,
                 std::vector<std::string>({".htm", ".html", "\\htmlfile\\Shell\\Open\\Command"}));
    }
    // An ".htm" that leads nowhere does not lead on to ".html".
    const std::vector<RegistryValue> deadEnds = {
        {RegistryValue::Type::Text, "nocommand"}, {RegistryValue::Type::Text, ""}, {}};
    for (const RegistryValue& classValue : deadEnds) {
        FakeRegistry registry;
        registry.addKey(".htm", classValue);
        registry.addTextKey(".html", "htmlfile");
        registry.addTextKey(COMMAND_KEY, "b.exe");
        // An empty class name must not find a root key named like the command key.
        registry.addTextKey("Shell\\Open\\Command", "wrong.exe");
        QCOMPARE(FindBrowserCommand(registry), "");
        QVERIFY(std::ranges::find(registry.opened, ".html") == registry.opened.end());
        QCOMPARE(registry.openKeys, 0);
    }
    {
        FakeRegistry registry;
        QCOMPARE(FindBrowserCommand(registry), "");
        QCOMPARE(registry.opened, std::vector<std::string>({".htm", ".html"}));
    }
    {
        FakeRegistry registry;
        registry.addTextKey(".htm", "htmlfile");
        registry.addKey(COMMAND_KEY);
        QCOMPARE(FindBrowserCommand(registry), "");
    }
}

void TestLibInternetControl::findBrowserCommandReadsTextValuesOnly() {
    {
        FakeRegistry registry;
        registry.addKey(".htm", {RegistryValue::Type::ExpandableText, std::string("htmlfile\0junk", 13)});
        registry.addKey(COMMAND_KEY, {RegistryValue::Type::ExpandableText, "%ProgramFiles%\\b.exe %1"});
        QCOMPARE(FindBrowserCommand(registry), "%ProgramFiles%\\b.exe %1");
    }
    for (const std::string& badKey : {std::string(".htm"), COMMAND_KEY}) {
        FakeRegistry registry;
        registry.addTextKey(".htm", "htmlfile");
        registry.addTextKey(COMMAND_KEY, "b.exe");
        registry.addKey(badKey, nonText());
        try {
            FindBrowserCommand(registry);
            QFAIL("a value that is not text was read as text");
        } catch (const RegistryError& error) {
            QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral(u"'' のデータ型が不正です"));
        }
        QCOMPARE(registry.openKeys, 0);
    }
}

void TestLibInternetControl::openWebPageStartsTheCommandAfterClosingTheKeys() {
    testing::FakePlatform platform;
    FakeRegistry& registry = platform.classesRegistry;
    int keysOpenAtStart = -1;
    platform.commandStarter.onStart = [&](std::string_view) { keysOpenAtStart = registry.openKeys; };
    const auto open = [&](std::string_view address) {
        OpenWebPage(address, *platform.services.classesRegistry, *platform.services.commandStarter);
    };

    // No command found (the look-up's own cases are above): nothing starts.
    registry.addTextKey(".htm", "htmlfile");
    registry.addTextKey(COMMAND_KEY, "");
    open("http://example.com/");
    QVERIFY(platform.commandStarter.started.empty());

    registry.addTextKey(COMMAND_KEY, "\"C:\\b.exe\" -url \"%1\"");
    open("http://example.com/");
    open("http://example.com/a b\"c");
    QCOMPARE(platform.commandStarter.started,
             std::vector<std::string>({"\"C:\\b.exe\" -url \"http://example.com/\"",
                                       "\"C:\\b.exe\" -url \"http://example.com/a%20b%22c\""}));
    QCOMPARE(keysOpenAtStart, 0);

    // A value that is not text ends the look-up (the error report shows it): nothing starts, and
    // every key is closed.
    registry.addKey(".htm", nonText());
    platform.commandStarter.started.clear();
    QVERIFY_THROWS_EXCEPTION(RegistryError, open("http://example.com/"));
    QVERIFY(platform.commandStarter.started.empty());
    QCOMPARE(registry.openKeys, 0);
}

QTEST_APPLESS_MAIN(TestLibInternetControl)

#include "tst_lib_internet_control.moc"
