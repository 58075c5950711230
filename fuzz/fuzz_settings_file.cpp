// The settings file on any bytes. A file the store can read is written back
// with one change, and must then read again with that change in it: the
// store never writes a file it would set aside as unreadable.
#include "FuzzSupport.h"

#include "platform/settings/RegistryFile.h"

using namespace ardl;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::WriteInput(QStringLiteral("settings.reg"), fuzz::Bytes(data, size));
    const QString key = QStringLiteral("Software\\Fuzz");
    const RegValue written = RegValue::text(QStringLiteral("a \"quoted\" \\ value"));
    bool readable = false;
    {
        RegistryFile store(path);
        store.value(QStringLiteral("Software\\Tolvern\\ARDL"), QStringLiteral("Left"));
        readable = store.setAsidePath().isEmpty();
        if (readable) {
            store.createKey(key);
            store.setValue(key, QStringLiteral("Name"), written);
        }
    }
    RegistryFile again(path);
    if (readable && !(again.value(key, QStringLiteral("Name")) == written))
        fuzz::Fail("a value written to the settings file did not read back");
    if (!again.setAsidePath().isEmpty())
        fuzz::Fail("the store wrote a settings file it cannot read");
    fuzz::EmptyWorkFolder();
    return 0;
}
