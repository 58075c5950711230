#pragma once

#include <QByteArray>
#include <QString>

namespace ardl::test {

// `n` bytes that differ from place to place and from seed to seed.
QByteArray PatternBytes(qint64 n, quint32 seed);

// Whether two files hold the same bytes; holes read as zeros and are not
// read at all where both files have one, so sparse files of many gigabytes
// compare quickly. `why` says where they first differ.
bool SameContent(const QString &a, const QString &b, QString *why = nullptr);

// Makes a sparse file of `length` bytes holding `data` at each offset of
// `offsets` and holes elsewhere.
bool MakeSparseFile(const QString &path, qint64 length, const QList<qint64> &offsets, const QByteArray &data);

// Blocks of 512 bytes the file takes on disk.
qint64 AllocatedBlocks(const QString &path);

// While it lives, no file of this process may grow beyond `bytes`: a write
// past it fails with EFBIG, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    qint64 m_old;
    void (*m_oldHandler)(int);
};

} // namespace ardl::test
