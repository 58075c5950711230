#include "modRegistry.h"

#include <QDir>
#include <QStandardPaths>

#include <memory>

namespace ardl {

namespace {

std::unique_ptr<RegistryFile> &storeSlot()
{
    static std::unique_ptr<RegistryFile> store;
    return store;
}

} // namespace

QString DefaultSettingsFilePath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Tolvern/ARDL/settings.reg"));
}

RegistryFile &SettingsStore()
{
    auto &store = storeSlot();
    if (!store)
        store = std::make_unique<RegistryFile>(DefaultSettingsFilePath());
    return *store;
}

void UseSettingsFile(const QString &path)
{
    storeSlot() = std::make_unique<RegistryFile>(path);
}

void CreateNewKey(const QString &subKey)
{
    SettingsStore().createKey(subKey);
}

void SetKeyValue(const QString &subKey, const QString &valueName, const QVariant &value, int type)
{
    switch (type) {
    case REG_SZ:
        SettingsStore().setValue(subKey, valueName, RegValue::text(value.toString()));
        break;
    case REG_DWORD:
        SettingsStore().setValue(subKey, valueName, RegValue::dword(value.toInt()));
        break;
    default:
        break;
    }
}

RegValue QueryValue(const QString &subKey, const QString &valueName)
{
    RegValue v = SettingsStore().value(subKey, valueName);
    if (v.type() == REG_SZ) {
        const QString text = v.toString();
        const qsizetype nul = text.indexOf(QChar(u'\0'));
        if (nul >= 0)
            v = RegValue::text(text.left(nul));
    }
    return v;
}

} // namespace ardl
