// Fuzz target (libFuzzer): mutated tag blocks are read from a file as the
// Mp3 page reads them, then turned into file names by every format code,
// the space and case options and a format taken from the input. A name from
// the codes alone never holds "/", NUL or a control character; a name
// accepted for a rename never holds "/" or NUL.
#include "mp3/core/ID3FileName.h"
#include "mp3/core/TagEditor.h"
#include "mp3/core/modMP3.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

using namespace ardl;

namespace {

// One in-memory file for every input, named through /proc like any path.
const QString &scratchFile()
{
    static const QString path = [] {
        const int fd = ::memfd_create("id3-fuzz", 0);
        if (fd < 0)
            std::abort();
        return QStringLiteral("/proc/self/fd/%1").arg(fd);
    }();
    return path;
}

int scratchFd()
{
    return scratchFile().mid(QStringLiteral("/proc/self/fd/").size()).toInt();
}

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool holdsControl(const QString &name)
{
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The file: the input itself, so short files and missing headers are met.
    const int fd = scratchFd();
    if (::ftruncate(fd, 0) != 0 || (size > 0 && ::pwrite(fd, data, size, 0) != ssize_t(size)))
        return 0;

    ID3Tag tag;
    const TagIoResult read = ReadID3Tag(scratchFile(), tag);
    if (!read) {
        // Whatever the bytes, a block the reader refused is decoded anyway,
        // so names are built from every input.
        ID3Tag::Bytes bytes{};
        std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
        tag = ID3Tag::FromBytes(bytes);
    }

    const QString oldName = QStringLiteral("track.mp3");
    const QString fromCodes = FormatID3FileName(oldName, QStringLiteral("%1%2%3%4%5%6 %7"), tag);
    check(!fromCodes.contains(u'/') && !fromCodes.contains(QChar(u'\0')) && !holdsControl(fromCodes));

    // Options and a format from the bytes after the tag.
    ID3ToFileOptions options;
    const std::uint8_t flags = size > ID3Tag::Size ? data[ID3Tag::Size] : 0;
    options.ChangeSpaces = flags & 1;
    options.ReplaceSpaces = flags & 2;
    options.SpaceReplacement = QStringLiteral("_");
    options.Case = NameCase((flags >> 2) & 3);
    if (size > ID3Tag::Size + 1) {
        options.Format = QString::fromLatin1(reinterpret_cast<const char *>(data + ID3Tag::Size + 1),
                                             qsizetype(size - ID3Tag::Size - 1));
    }
    const QString base = BuildID3FileName(oldName, options, tag);
    const QString newName = base + QStringLiteral(".mp3");
    if (ID3FileNameFault(base, newName, oldName).isEmpty())
        check(!newName.contains(u'/') && !newName.contains(QChar(u'\0')) && base != u"." && base != u"..");

    // The editor shows what it loaded without NULs.
    TagEditor editor;
    if (editor.load(scratchFile()))
        check(!editor.fields().Title.contains(QChar(u'\0')));
    return 0;
}
