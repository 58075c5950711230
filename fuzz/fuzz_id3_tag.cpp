// ID3v1 tags on any bytes: the input is read as a file the way the Mp3 page
// reads one, then its tag is turned into file names by every format code,
// the space and case options and a format taken from the input. A name from
// the codes alone never holds "/", NUL or a control character; a name
// accepted for a rename never holds "/" or NUL and is never "." or "..".
#include "FuzzSupport.h"

#include "mp3/core/ID3FileName.h"
#include "mp3/core/TagEditor.h"
#include "mp3/core/modMP3.h"

#include <algorithm>
#include <cstring>

using namespace ardl;

namespace {

bool holdsControl(const QString &name)
{
    return std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

bool holdsSlashOrNul(const QString &name)
{
    return name.contains(u'/') || name.contains(QChar(u'\0'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The file is the input itself, so short files and missing tags are met.
    const QString file = fuzz::WriteInput(QStringLiteral("track.mp3"), fuzz::Bytes(data, size));

    ID3Tag tag;
    if (!ReadID3Tag(file, tag)) {
        // A block the reader refused is decoded anyway, so that names are
        // built from every input.
        ID3Tag::Bytes bytes{};
        std::memcpy(bytes.data(), data, std::min(size, bytes.size()));
        tag = ID3Tag::FromBytes(bytes);
    }

    const QString oldName = QStringLiteral("track.mp3");
    const QString fromCodes = FormatID3FileName(oldName, QStringLiteral("%1%2%3%4%5%6 %7"), tag);
    if (holdsSlashOrNul(fromCodes) || holdsControl(fromCodes))
        fuzz::Fail("a name built from the tag's fields holds \"/\", NUL or a control character");

    // Options and a format from the bytes after the first 128.
    ID3ToFileOptions options;
    const uint8_t flags = size > ID3Tag::Size ? data[ID3Tag::Size] : 0;
    options.ChangeSpaces = flags & 1;
    options.ReplaceSpaces = flags & 2;
    options.SpaceReplacement = QStringLiteral("_");
    options.Case = NameCase((flags >> 2) & 3);
    if (size > ID3Tag::Size + 1)
        options.Format = QString::fromLatin1(reinterpret_cast<const char *>(data + ID3Tag::Size + 1),
                                             qsizetype(size - ID3Tag::Size - 1));
    const QString base = BuildID3FileName(oldName, options, tag);
    const QString newName = base + QStringLiteral(".mp3");
    static FileNameCheck names;
    if (ID3FileNameFault(names, fuzz::WorkFolder() + u'/', base, newName).isEmpty()
        && (holdsSlashOrNul(newName) || base == u"." || base == u".."))
        fuzz::Fail("a name that cannot be a file name was accepted for a rename");

    // The editor shows what it loaded without NULs.
    TagEditor editor;
    if (editor.load(file) && editor.fields().Title.contains(QChar(u'\0')))
        fuzz::Fail("the tag editor shows a NUL");
    fuzz::EmptyWorkFolder();
    return 0;
}
