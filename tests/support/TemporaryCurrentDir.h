#pragma once
// A throwaway folder that is the current directory while this lives; the one before comes back
// after it.

#include <QDir>
#include <QTemporaryDir>

namespace rotenu::testing {

class TemporaryCurrentDir {
public:
    TemporaryCurrentDir() : m_entered(m_dir.isValid() && QDir::setCurrent(m_dir.path())) {}
    ~TemporaryCurrentDir() { QDir::setCurrent(m_previous); }
    TemporaryCurrentDir(const TemporaryCurrentDir&) = delete;
    TemporaryCurrentDir& operator=(const TemporaryCurrentDir&) = delete;

    bool isValid() const { return m_entered; }
    QString path() const { return m_dir.path(); }

private:
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_dir;
    bool m_entered;
};

} // namespace rotenu::testing
