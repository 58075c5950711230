#include "SyncMessage.h"

#include "common/core/StringTable.h"
#include "common/core/modString.h"

namespace ardl {

SyncMessage MakeSyncMessage(int id, MsgIcon icon, const QStringList &args)
{
    return SyncMessage{id, FormatStringList(LoadResString(id), args), icon};
}

} // namespace ardl
