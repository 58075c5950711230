#pragma once

#include "KeepAlive.h"
#include "ZipEntry.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

struct zip;

namespace ardl {

class DeflatePipeline;

// Changes to one archive, gathered and then written at once: commit()
// writes the new archive to a temporary file beside the old one and renames
// it into place, so a failed write leaves the old archive as it was.
class ZipWriter {
public:
    struct AddRequest {
        AddRequest(const QString &localPath, const QString &entryName, int level = 6,
                   const QByteArray &password = {}, qint64 replaceIndex = -1, bool extendedTime = false)
            : localPath(localPath), entryName(entryName), level(level), password(password),
              replaceIndex(replaceIndex), extendedTime(extendedTime) {}
        QString localPath;
        QString entryName;         // "/" between folders
        int level = 6;             // 0 stores; 1 to 9 deflate when it pays
        QByteArray password;       // traditional encryption when not empty
        qint64 replaceIndex = -1;  // the entry this file replaces, if any
        bool extendedTime = false; // also keep the exact time in a "UT" field
    };
    struct Failure {
        QString localPath;
        QString reason;
    };

    // threads 0: one per core.
    explicit ZipWriter(int threads = 0);
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    // Opens the archive for changes; a missing one is created by commit().
    // With startEmpty its entries are left out: the new archive holds only
    // what is added. False when the file is there but cannot be read as an
    // archive (errorText() says why); it is never touched then.
    bool open(const QString &path, bool startEmpty);
    QString errorText() const { return m_error; }

    // The entries as the archive holds them before any change.
    const std::vector<ZipEntry> &entries() const { return m_entries; }
    QByteArray rawComment() const;

    // Queues a file; returns its number for added(), or -1 (errorText()).
    int add(const AddRequest &request);
    bool remove(qint64 index);
    // At most 65535 bytes of UTF-8.
    bool setComment(const QByteArray &comment);

    // Reads every queued file (files that cannot be read are left out and
    // listed in failures()) and writes the archive. False when the archive
    // could not be written: then nothing changed on disk. An archive opened
    // with startEmpty is left as it is when no file could be read.
    bool commit();
    const std::vector<Failure> &failures() const { return m_failures; }
    // After a successful commit: whether queued file `number` went in.
    bool added(int number) const;
    // Drops every change.
    void discard();
    // Called now and then while commit() writes.
    void setKeepAlive(const KeepAlive &keepAlive) { m_keepAlive = keepAlive; }

private:
    struct Source;
    void leaveOut(Source &source);
    bool settle(Source &source);

    int m_threads;
    zip *m_za = nullptr;
    bool m_startEmpty = false;
    bool m_otherChanges = false;   // removals or a new comment
    QString m_error;
    std::vector<ZipEntry> m_entries;
    std::unique_ptr<DeflatePipeline> m_pipeline;
    std::vector<std::unique_ptr<Source>> m_sources;
    std::vector<Failure> m_failures;
    KeepAlive m_keepAlive;
};

} // namespace ardl
