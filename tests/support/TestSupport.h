#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Printing of Qt strings in test failures.
QT_BEGIN_NAMESPACE
void PrintTo(const QString &s, std::ostream *os);
void PrintTo(const QStringList &list, std::ostream *os);
QT_END_NAMESPACE

namespace ardl::test {

// The settings file the current test uses (every test gets a fresh one).
QString CurrentSettingsFile();

// Sets the last-write time of an existing file.
void SetFileTime(const QString &path, const QDateTime &when);

// A test with its own temporary folder.
class TempDirTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    // Absolute path of `relative` inside the temporary folder.
    QString path(const QString &relative = QString()) const;
    // Writes `content` to `relative` (creating folders) and returns its path.
    QString writeFile(const QString &relative, const QByteArray &content) const;
    QByteArray readFile(const QString &relative) const;
    QString makeDir(const QString &relative) const;
};

} // namespace ardl::test
