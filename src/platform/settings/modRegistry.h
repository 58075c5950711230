#pragma once

#include "RegValue.h"
#include "RegistryFile.h"

#include <QString>
#include <QVariant>

namespace ardl {

// The program's own key; sub-key names are appended to it directly
// (ProgramKey + "Option").
inline const QString ProgramKey = QStringLiteral("SOFTWARE\\Tolvern\\ARDL\\");

// The settings file of the user: <config>/Tolvern/ARDL/settings.reg, where
// <config> is $XDG_CONFIG_HOME or ~/.config.
QString DefaultSettingsFilePath();

// The store every routine below works on. It is opened on first use at
// DefaultSettingsFilePath(); UseSettingsFile() points it elsewhere (tests).
RegistryFile &SettingsStore();
void UseSettingsFile(const QString &path);

// Creates the key (and any missing parents); an existing key is left alone.
void CreateNewKey(const QString &subKey);

// Writes one value of an existing key: type REG_SZ stores the text of value,
// REG_DWORD the value as a 32-bit number; any other type writes nothing.
// When the key does not exist nothing is written. An empty valueName is the
// key's default value.
void SetKeyValue(const QString &subKey, const QString &valueName, const QVariant &value, int type);

// Reads one value; a missing key or value gives a missing (empty) value.
// Texts are cut at their first NUL.
RegValue QueryValue(const QString &subKey, const QString &valueName);

} // namespace ardl
