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

// The file URL a file manager offers for a path whose bytes need not be
// UTF-8.
QUrl RawFileUrl(const QByteArray &path);

// The last-write time that writeOldFile gives a file.
extern const QDateTime OldFileTime;

// Removes a folder and everything in it, whatever the bytes of its names
// (QDir cannot name a file that is not valid UTF-8). Links are removed, not
// followed.
void RemoveTree(const QString &folder);

// While it lives, no entry of `folder` can be made, renamed or removed: for
// root by the immutable flag, for others by taking away write permission.
// Check active() first: some file systems refuse both.
class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString &folder);
    ~UnwritableFolder();
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    bool active() const { return m_error != 0; }
    // The errno the folder now answers a change with.
    int error() const { return m_error; }

private:
    QByteArray m_folder;
    bool m_immutable = false;
    int m_error = 0;
};

// A test with its own temporary folder, removed afterwards whatever it holds.
class TempDirTest : public ::testing::Test {
protected:
    TempDirTest();
    ~TempDirTest() override;

    QTemporaryDir tmp;
    // Absolute path of `relative` inside the temporary folder.
    QString path(const QString &relative = QString()) const;
    // The temporary folder with its trailing "/".
    QString dir() const { return path() + u'/'; }
    // Writes `content` to `relative` (creating folders) and returns its path.
    QString writeFile(const QString &relative, const QByteArray &content) const;
    // writeFile, then the last-write time OldFileTime.
    QString writeOldFile(const QString &relative, const QByteArray &content) const;
    // Makes a file whose name, relative to the folder, is these raw bytes
    // (not necessarily UTF-8); returns its path as the program sees it.
    QString writeRawNamedFile(const QByteArray &relative, const QByteArray &content = {}) const;
    // The content of the file whose relative name is these raw bytes.
    QByteArray readRawNamedFile(const QByteArray &relative) const;
    QByteArray readFile(const QString &relative) const;
    QString makeDir(const QString &relative) const;
    // The files of the folder, hidden ones too, in name order.
    QStringList listing() const;
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
