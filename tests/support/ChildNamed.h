#pragma once

#include <QObject>
#include <QString>

namespace rotenu::testing {

// A window's control by its object name; a test cannot go on without it.
template <typename T> T* ChildNamed(const QObject& window, const char* name) {
    T* child = window.findChild<T*>(QString::fromLatin1(name));
    if (!child)
        qFatal("no child %s", name);
    return child;
}

} // namespace rotenu::testing
