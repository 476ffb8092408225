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
    void expandBrowserCommandPlacesTheAddress();
    void expandBrowserCommandDropsPercentSigns();
    void expandBrowserCommandAppendsAQuotedAddressWithoutPercentOne();
    void addressForCommandLineKeepsTheAddressOneArgument();
    void findBrowserCommandFollowsTheLookupOrder();
    void findBrowserCommandReadsTextValuesOnly();
    void openWebPageStartsTheCommandAfterClosingTheKeys();
};

void TestLibInternetControl::expandBrowserCommandPlacesTheAddress() {
    const std::string address = "http://example.com/";
    QCOMPARE(ExpandBrowserCommand("\"C:\\b.exe\" -url \"%1\"", address),
             "\"C:\\b.exe\" -url \"http://example.com/\"");
    QCOMPARE(ExpandBrowserCommand("b.exe %1 -new", address), "b.exe http://example.com/ -new");
    QCOMPARE(ExpandBrowserCommand("b %1 %1", address), "b http://example.com/ http://example.com/");
    QCOMPARE(ExpandBrowserCommand("%1", address), address);
    // The address is not scanned again: its own percent signs stay.
    QCOMPARE(ExpandBrowserCommand("b %1", "http://x/%1%%"), "b http://x/%1%%");
    QCOMPARE(ExpandBrowserCommand("b \"%1\"", ""), "b \"\"");
    QCOMPARE(ExpandBrowserCommand("b %1", ""), "b ");
    // Double-byte characters (here 0x83 0x5C and 0x83 0x75) pass through unchanged.
    QCOMPARE(ExpandBrowserCommand("C:\\\x83\x5C\x83\x75\\b.exe \"%1\"", "http://\x82\xDB/"),
             "C:\\\x83\x5C\x83\x75\\b.exe \"http://\x82\xDB/\"");
}

void TestLibInternetControl::expandBrowserCommandDropsPercentSigns() {
    const std::string address = "http://x/";
    QCOMPARE(ExpandBrowserCommand("b %2%3%4%5%6%7%8%9 %1", address), "b  http://x/");
    QCOMPARE(ExpandBrowserCommand("b 100%% %1", address), "b 100% http://x/");
    QCOMPARE(ExpandBrowserCommand("b %0 %L %1", address), "b 0 L http://x/");
    QCOMPARE(ExpandBrowserCommand("%ProgramFiles%\\b.exe %1", address), "ProgramFiles\\b.exe http://x/");
    // "%%1" is a percent sign and a 1, not the placeholder.
    QCOMPARE(ExpandBrowserCommand("b %%1", address), "b %1 \"http://x/\"");
    // "%%" pairs first: "%%%1" is a percent sign and the address.
    QCOMPARE(ExpandBrowserCommand("b %%%1", address), "b %http://x/");
    QCOMPARE(ExpandBrowserCommand(std::string_view("b %\0 %1", 7), address),
             std::string("b \0 http://x/", 13));
}

void TestLibInternetControl::expandBrowserCommandAppendsAQuotedAddressWithoutPercentOne() {
    QCOMPARE(ExpandBrowserCommand("b.exe", "http://x/"), "b.exe \"http://x/\"");
    QCOMPARE(ExpandBrowserCommand("b.exe ", "http://x/"), "b.exe  \"http://x/\"");
    QCOMPARE(ExpandBrowserCommand("b.exe %", "http://x/"), "b.exe  \"http://x/\"");
    QCOMPARE(ExpandBrowserCommand("b.exe %2", "http://x/"), "b.exe  \"http://x/\"");
    QCOMPARE(ExpandBrowserCommand("", "http://x/"), " \"http://x/\"");
    QCOMPARE(ExpandBrowserCommand("b.exe", ""), "b.exe \"\"");
}

void TestLibInternetControl::addressForCommandLineKeepsTheAddressOneArgument() {
    QCOMPARE(AddressForCommandLine("http://example.com/a-b/?q=1&r=$(x);`y`#z"),
             "http://example.com/a-b/?q=1&r=$(x);`y`#z");
    QCOMPARE(AddressForCommandLine("http://x/a b\tc\nd"), "http://x/a%20b%09c%0Ad");
    QCOMPARE(AddressForCommandLine("http://x/\"a\"'b'\\c"), "http://x/%22a%22%27b%27%5Cc");
    QCOMPARE(AddressForCommandLine(std::string_view("a\0b\x7F", 4)), "a%00b%7F");
    QCOMPARE(AddressForCommandLine("--gpu-launcher=x"), "%2D-gpu-launcher=x");
    QCOMPARE(AddressForCommandLine("#x"), "%23x");
    // 0x5C and 0x7C as the second byte of a double-byte character are not backslashes or bars.
    QCOMPARE(AddressForCommandLine("http://x/\x83\x5C\x83\x7C\\"), "http://x/\x83\x5C\x83\x7C%5C");
    // A lead byte without a valid second byte does not shield what follows it.
    QCOMPARE(AddressForCommandLine("http://x/\x83 a"), "http://x/\x83%20a");
    QCOMPARE(AddressForCommandLine("http://x/\x83"), "http://x/\x83");
    QCOMPARE(AddressForCommandLine(""), "");
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

    OpenWebPage("http://example.com/", *platform.services.classesRegistry, *platform.services.commandStarter);
    QVERIFY(platform.commandStarter.started.empty());

    registry.addTextKey(".htm", "htmlfile");
    OpenWebPage("http://example.com/", *platform.services.classesRegistry, *platform.services.commandStarter);
    registry.addTextKey(COMMAND_KEY, "");
    OpenWebPage("http://example.com/", *platform.services.classesRegistry, *platform.services.commandStarter);
    QVERIFY(platform.commandStarter.started.empty());

    registry.addTextKey(COMMAND_KEY, "\"C:\\b.exe\" -url \"%1\"");
    OpenWebPage("http://example.com/", *platform.services.classesRegistry, *platform.services.commandStarter);
    OpenWebPage("http://example.com/a b\"c", *platform.services.classesRegistry,
                *platform.services.commandStarter);
    QCOMPARE(platform.commandStarter.started,
             std::vector<std::string>({"\"C:\\b.exe\" -url \"http://example.com/\"",
                                       "\"C:\\b.exe\" -url \"http://example.com/a%20b%22c\""}));
    QCOMPARE(keysOpenAtStart, 0);

    // A value that is not text ends the look-up (the error report shows it): nothing starts, and
    // every key is closed.
    registry.addKey(".htm", nonText());
    platform.commandStarter.started.clear();
    QVERIFY_THROWS_EXCEPTION(RegistryError,
                             OpenWebPage("http://example.com/", *platform.services.classesRegistry,
                                         *platform.services.commandStarter));
    QVERIFY(platform.commandStarter.started.empty());
    QCOMPARE(registry.openKeys, 0);
}

QTEST_APPLESS_MAIN(TestLibInternetControl)

#include "tst_lib_internet_control.moc"
