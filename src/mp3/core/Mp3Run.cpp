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

Mp3FileResult ListedTwice()
{
    return Mp3FileResult::error(LoadResString(4403));
}

} // namespace ardl
