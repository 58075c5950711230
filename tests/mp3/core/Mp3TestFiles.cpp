#include "Mp3TestFiles.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>

namespace ardl::test {

QByteArray AudioBody(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray body(size, Qt::Uninitialized);
    for (char &c : body)
        c = char(random.bounded(256));
    if (size >= 128)
        body[size - 128] = 'x';   // never "TAG" where a tag would start
    return body;
}

ID3Tag MakeTag(const QString &title, const QString &artist, const QString &album, const QString &year,
               const QString &comment, quint8 genre)
{
    ID3Tag tag;
    tag.SetHeader();
    SetField(tag.Title, title);
    SetField(tag.Artist, artist);
    SetField(tag.Album, album);
    SetField(tag.Year, year);
    SetField(tag.Comment, comment);
    tag.Genre = genre;
    return tag;
}

QByteArray TagBytes(const ID3Tag &tag)
{
    const ID3Tag::Bytes bytes = tag.ToBytes();
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

QByteArray HeadHash(const QString &path, qint64 count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(count < 0 ? file.readAll() : file.read(count), QCryptographicHash::Sha256);
}

} // namespace ardl::test
