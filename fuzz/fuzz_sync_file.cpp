// The sync-file loader on any file: it fills the left side of the compare
// set with names that stay inside their folder.
#include "FuzzSupport.h"

#include "sync/core/RelativeNames.h"
#include "sync/core/SyncFile.h"
#include "sync/core/modClass.h"

#include <cstdlib>
#include <ctime>

using namespace ardl;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A zone with summer time, so that dates in the repeated and the
    // skipped hour are read too.
    setenv("TZ", "Europe/Paris", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::WriteInput(QStringLiteral("list.syn"), fuzz::Bytes(data, size));
    SyncItems().clear();
    const SyncFileLoadReport report = LoadSyncFile(path);
    for (const SyncFileEntry &e : report.contents.entries)
        if (!IsSafeRelativePath(e.name))
            fuzz::Fail("a name that leaves its folder was loaded");
    SyncItems().clear();
    fuzz::EmptyWorkFolder();
    return 0;
}
