// The Mp3 tools' file work from the command line, for the benchmarks:
//   make ROOT COUNT FOLDERS   tagged MP3 files spread over FOLDERS folders
//   read FILE...              reads each tag; prints how many were read
//   mass ARTIST FILE...       sets the artist as mass tagging does
// Prints the microseconds taken by read and mass on standard error.
#include "mp3/core/MassTagRun.h"
#include "mp3/core/modMP3.h"

#include "common/core/modFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

using namespace ardl;

namespace {

// An MPEG-1 layer III frame header (128 kbit/s, 44.1 kHz) and its silent
// payload: a body that MP3 readers recognise.
QByteArray audioBody(int frames)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x64);
    return frame.repeated(frames);
}

// A tag as id3v2 writes one: texts padded with NULs, a track number in the
// comment's last byte, so that its rewrite of a whole tag changes nothing
// but the field it is asked to set.
ID3Tag peerStyleTag(int i, int folders)
{
    ID3Tag tag;
    tag.SetHeader();
    const auto set = [](auto &field, const QString &text) {
        field.fill('\0');
        const QByteArray bytes = text.toLatin1();
        std::copy(bytes.begin(), bytes.end(), field.begin());
    };
    set(tag.Title, QStringLiteral("Song %1").arg(i));
    set(tag.Artist, QStringLiteral("Artist %1").arg(i % 37));
    set(tag.Album, QStringLiteral("Album %1").arg(i % folders));
    set(tag.Year, QStringLiteral("2001"));
    set(tag.Comment, QStringLiteral("bench"));
    tag.Comment[29] = char(1 + i % 20);
    tag.Genre = quint8(i % 148);
    return tag;
}

int makeTree(const QString &root, int count, int folders)
{
    const QByteArray body = audioBody(10);
    for (int i = 0; i < count; ++i) {
        const QString folder = root + QStringLiteral("/album%1").arg(i % folders, 3, 10, QChar(u'0'));
        if (i < folders && !QDir().mkpath(folder))
            return 1;
        const ID3Tag::Bytes bytes = peerStyleTag(i, folders).ToBytes();
        QFile file(folder + QStringLiteral("/track %1.mp3").arg(i, 5, 10, QChar(u'0')));
        if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size()
            || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    if (mode == u"make" && args.size() == 5)
        return makeTree(args[2], args[3].toInt(), args[4].toInt());

    QElapsedTimer timer;
    timer.start();
    int done = 0;
    if (mode == u"read") {
        ID3Tag tag;
        for (qsizetype i = 2; i < args.size(); ++i)
            done += ReadID3Tag(args[i], tag) ? 1 : 0;
    } else if (mode == u"mass" && args.size() > 2) {
        std::vector<Mp3File> files;
        files.reserve(size_t(args.size()));
        for (qsizetype i = 3; i < args.size(); ++i)
            files.push_back({PathWithOutFile(args[i]), GetFileName(args[i])});
        MassTagOptions options;
        options.Artist = args[2];
        for (const Mp3FileResult &result : RunMassTag(files, options))
            done += result.outcome == Mp3Outcome::Ok ? 1 : 0;
    } else {
        std::fprintf(stderr, "usage: %s make ROOT COUNT FOLDERS | read FILE... | mass ARTIST FILE...\n", argv[0]);
        return 2;
    }
    std::fprintf(stderr, "%lld\n", static_cast<long long>(timer.nsecsElapsed() / 1000));
    std::printf("%d\n", done);
    return 0;
}
