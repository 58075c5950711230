#include "TagEditor.h"

#include "common/core/modGlobal.h"

#include <cerrno>

namespace ardl {

namespace {

QString shown(const QString &field)
{
    return TrimSpaces(TrimNull(field));
}

} // namespace

bool TagEditor::load(const QString &path)
{
    clear();
    ID3Tag tag;
    const TagIoResult read = ReadID3Tag(path, tag);
    if (!read)
        return false;
    m_path = path;
    m_file = read.file;
    m_loaded = TagFields{shown(FieldText(tag.Title)),   shown(FieldText(tag.Artist)),
                         shown(FieldText(tag.Album)),   shown(FieldText(tag.Year)),
                         shown(FieldText(tag.Comment)), tag.Genre};
    return true;
}

void TagEditor::clear()
{
    m_path.clear();
    m_file = {};
    m_loaded.reset();
}

void TagEditor::renamed(const QString &from, const QString &to)
{
    if (loaded() && m_path == from)
        m_path = to;
}

TagIoResult TagEditor::save(const TagFields &edited)
{
    if (!loaded())
        return {TagFault::System, EINVAL, {}};
    ID3Tag tag;
    SetField(tag.Title, TrimSpaces(edited.Title));
    SetField(tag.Artist, TrimSpaces(edited.Artist));
    SetField(tag.Album, TrimSpaces(edited.Album));
    SetField(tag.Year, TrimSpaces(edited.Year));
    SetField(tag.Comment, TrimSpaces(edited.Comment));
    tag.Genre = edited.Genre;
    const TagIoResult written = WriteID3Tag(m_path, tag, &m_file);
    clear();
    return written;
}

} // namespace ardl
