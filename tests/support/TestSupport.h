#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

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

// While it lives, takes the addresses of `schemes` ("https", "file") that
// the program hands to the desktop, instead of a browser or viewer.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList &schemes);
    ~UrlCatcher() override;

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url);

private:
    QStringList m_schemes;
};

} // namespace ardl::test
