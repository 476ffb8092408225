#pragma once
// Lets QCOMPARE print byte strings and lists of them when they differ.

#include <QTest>

#include <string>
#include <vector>

namespace QTest {

template <> inline char* toString(const std::string& text) {
    return toPrettyCString(text.data(), qsizetype(text.size()));
}

template <> inline char* toString(const std::vector<std::string>& texts) {
    QByteArray joined = "{";
    for (const std::string& text : texts) {
        char* pretty = toString(text);
        joined += pretty;
        delete[] pretty;
        joined += ' ';
    }
    joined += '}';
    return qstrdup(joined.constData());
}

} // namespace QTest
