#pragma once

#include "platform/settings/modRegistry.h"

namespace ardl {

// The settings key of the Sync page and its dialogs.
inline const QString &SyncKey()
{
    static const QString key = ProgramKey + QStringLiteral("Sync");
    return key;
}

} // namespace ardl
