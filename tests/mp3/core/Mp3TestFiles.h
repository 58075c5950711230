#pragma once

#include "mp3/core/ID3Tag.h"

#include <QByteArray>
#include <QString>

// Real MP3-sized files for the tag tests: an audio body of pseudo-random
// bytes with or without a tag block at its end.
namespace ardl::test {

// `size` bytes that differ from file to file (seeded) and never end in a tag.
QByteArray AudioBody(int size, quint32 seed = 1);

// A tag block made of the given texts (space-padded, as the program writes).
ID3Tag MakeTag(const QString &title, const QString &artist, const QString &album = {},
               const QString &year = {}, const QString &comment = {}, quint8 genre = 0);

QByteArray TagBytes(const ID3Tag &tag);

// The SHA-256 of a file's first `count` bytes (all of it for -1).
QByteArray HeadHash(const QString &path, qint64 count = -1);

} // namespace ardl::test
