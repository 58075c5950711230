#pragma once

#include "ID3Tag.h"

#include <QString>

#include <cstdint>

// Reading and writing the ID3v1 tag of an MP3 file: the only code that
// touches the bytes of an MP3 file, and only its last 128.
namespace ardl {

// Why a read or write of a tag did not happen.
enum class TagFault {
    None,
    System,       // the system refused to open, read or write the file: see `error`
    NotRegular,   // a folder, device or pipe
    TooShort,     // fewer than 128 bytes
    NoTag,        // the last 128 bytes do not start with "TAG"
    Replaced,     // another file than the one expected is under the name now
};

// The file a tag was read from, to tell one file met under two names.
struct TagFileId {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const TagFileId &) const = default;
};

struct TagIoResult {
    TagFault fault = TagFault::None;
    int error = 0;   // errno, for TagFault::System
    TagFileId file;

    explicit operator bool() const { return fault == TagFault::None; }
};

// Why it failed, in the user's words ("" when it did not).
QString TagFaultText(const TagIoResult &result);

// Reads the last 128 bytes of the file into `tag`; succeeds when they start
// with "TAG" (exactly, with case). On failure `tag` must not be used. The
// file is only read.
TagIoResult ReadID3Tag(const QString &fileName, ID3Tag &tag);

// Sets tag.Header to "TAG" and stores the record over the last 128 bytes of
// the file, and only when those bytes hold a tag at the moment of writing:
// a file without one is never written. Nothing is appended, the length never
// changes and no byte before the tag is touched. With `expected`, only that
// very file is written (the one a tag was read from).
TagIoResult WriteID3Tag(const QString &fileName, ID3Tag &tag, const TagFileId *expected = nullptr);

} // namespace ardl
