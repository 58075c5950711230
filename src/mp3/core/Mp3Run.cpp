#include "Mp3Run.h"

#include "common/core/StringTable.h"

namespace ardl {

bool FilesMet::first(const TagFileId &file)
{
    const QPair<quint64, quint64> key(file.device, file.inode);
    if (m_met.contains(key))
        return false;
    m_met.insert(key);
    return true;
}

std::optional<Mp3FileResult> ReadRunTag(const Mp3File &file, FilesMet &met, ID3Tag &tag, TagFileId *id)
{
    if (!file.exact())
        return Mp3FileResult::error(LoadResString(4700));
    const TagIoResult read = ReadID3Tag(file.path(), tag);
    if (!read)
        return Mp3FileResult::error(TagFaultText(read));
    if (!met.first(read.file))
        return Mp3FileResult::error(LoadResString(4113));
    if (id)
        *id = read.file;
    return std::nullopt;
}

} // namespace ardl
