#pragma once

#include "modMP3.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace ardl {

// The texts of the tag editor's boxes and its genre number.
struct TagFields {
    QString Title;
    QString Artist;
    QString Album;
    QString Year;
    QString Comment;
    std::uint8_t Genre = 0;
};

// The editor's tag: loaded from one file and saved back to that same file
// only. Saving ends the loaded state whatever its outcome.
class TagEditor {
public:
    // Loads the tag of `path`: each text trimmed of spaces and cut at its
    // first NUL, as the boxes show it. False (and nothing loaded) when the
    // file has no tag or cannot be read.
    bool load(const QString &path);
    void clear();

    bool loaded() const { return m_loaded.has_value(); }
    // The file whose tag is loaded ("" when none).
    const QString &path() const { return m_path; }
    const TagFields &fields() const { return *m_loaded; }
    // The loaded file now goes by `to` (it was renamed from `from`).
    void renamed(const QString &from, const QString &to);

    // Writes the edited fields, trimmed of spaces, space-padded and cut to
    // their widths, over the loaded file's tag; the file must still be the
    // one loaded and still end with a tag. A text left as it was loaded keeps
    // the bytes read (what follows a NUL, such as a track number at the end
    // of the comment, is not shown and must not be lost). Nothing is written
    // when no tag is loaded.
    TagIoResult save(const TagFields &edited);

private:
    QString m_path;
    TagFileId m_file;
    ID3Tag m_tag;
    std::optional<TagFields> m_loaded;
};

} // namespace ardl
