#pragma once

#include "ZipEntry.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct zip;

namespace ardl {

// An archive opened for reading: its entries, its comment and the data of
// each entry. Never writes to the file.
class ZipReader {
public:
    ZipReader();
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    // False when the file is missing, unreadable or not an archive
    // (errorText() says which). Without `list`, entries() stays empty: for
    // a reader that only reads the entries it is told of.
    bool open(const QString &path, bool list = true);
    void close();
    QString errorText() const { return m_error; }

    const std::vector<ZipEntry> &entries() const { return m_entries; }
    QByteArray rawComment() const;

    enum class ReadResult { Ok, NeedsPassword, WrongPassword, Failed, Stopped };
    // Takes each piece of an entry's data; false stops the reading.
    using Sink = std::function<bool(const char *data, qint64 length)>;
    // Hands the entry's data, decrypted, inflated and checked against its
    // CRC, to `sink` piece by piece. An empty password reads entries that
    // are not encrypted. On WrongPassword or Failed the sink may already
    // have taken part of the data.
    ReadResult readEntry(qint64 index, const QByteArray &password, const Sink &sink, QString *error);

private:
    bool isEncrypted(qint64 index) const;

    zip *m_za = nullptr;
    QString m_error;
    std::vector<ZipEntry> m_entries;
    std::unique_ptr<char[]> m_buffer;   // one for every entry read
};

} // namespace ardl
