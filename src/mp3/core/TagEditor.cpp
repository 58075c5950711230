#include "TagEditor.h"

#include "common/core/modGlobal.h"

#include <cerrno>

namespace ardl {

namespace {

QString shown(const QString &field)
{
    return TrimSpaces(TrimNull(field));
}

// Sets a field to its edited text, unless the text is still the one shown.
template <std::size_t N>
void setEdited(std::array<char, N> &field, const QString &edited, const QString &shownText)
{
    const QString text = TrimSpaces(edited);
    if (text != shownText)
        SetField(field, text);
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
    m_tag = tag;
    m_loaded = TagFields{shown(FieldText(tag.Title)), shown(FieldText(tag.Artist)),  shown(FieldText(tag.Album)),
                         shown(FieldText(tag.Year)),  shown(FieldText(tag.Comment)), tag.Genre};
    return true;
}

void TagEditor::clear()
{
    m_path.clear();
    m_file = {};
    m_tag = {};
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
    ID3Tag tag = m_tag;
    const TagFields &loaded = *m_loaded;
    setEdited(tag.Title, edited.Title, loaded.Title);
    setEdited(tag.Artist, edited.Artist, loaded.Artist);
    setEdited(tag.Album, edited.Album, loaded.Album);
    setEdited(tag.Year, edited.Year, loaded.Year);
    setEdited(tag.Comment, edited.Comment, loaded.Comment);
    tag.Genre = edited.Genre;
    const TagIoResult written = WriteID3Tag(m_path, tag, &m_file);
    clear();
    return written;
}

} // namespace ardl
