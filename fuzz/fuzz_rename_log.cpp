// The rename log reader on any bytes: every entry it returns names two
// absolute paths.
#include "FuzzSupport.h"

#include "rename/core/RenameLogReader.h"

using namespace ardl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const RenameLogContents log = ParseRenameLog(fuzz::Bytes(data, size));
    for (const UndoEntry &e : log.entries)
        if (!e.current.startsWith(u'/') || !e.restore.startsWith(u'/'))
            fuzz::Fail("an entry names a path that is not absolute");
    return 0;
}
