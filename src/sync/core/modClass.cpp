#include "modClass.h"

#include "common/core/Prompter.h"
#include "common/core/StringTable.h"

namespace ardl {

namespace {

constexpr int ErrorTitle = 101;   // "Error"
constexpr int KeyExists = 457;
constexpr int KeyMissing = 5;

// "Error <n>: <description>" CR LF "in modClass.<routine>." CR LF
void reportSetError(int number, const char *routine)
{
    const QString description = number == KeyExists
        ? QStringLiteral("This key is already associated with an element of this collection")
        : QStringLiteral("Invalid procedure call or argument");
    const QString text = LoadResString(ErrorTitle) + u' ' + QString::number(number)
                       + QLatin1String(": ") + description + QLatin1String("\r\nin modClass.")
                       + QLatin1String(routine) + QLatin1String(".\r\n");
    prompter().message(text, LoadResString(ErrorTitle), MsgIcon::Critical, MsgButtons::Ok);
}

} // namespace

SyncItemSet &SyncItems()
{
    static SyncItemSet items;
    return items;
}

void AddItemL(const QString &file, qint64 size, const QDateTime &fileDate)
{
    if (!SyncItems().addLeft(file, size, fileDate))
        reportSetError(KeyExists, "AddItemL");
}

void AddItemR(const QString &file, qint64 size, const QDateTime &fileDate)
{
    SyncItems().addRight(file, size, fileDate);
}

void SetItemR(const QString &file, qint64 size, const QDateTime &fileDate)
{
    if (!SyncItems().setRight(file, size, fileDate))
        reportSetError(KeyMissing, "SetItemR");
}

void SetType(const QString &file, int value)
{
    if (!SyncItems().setType(file, value))
        reportSetError(KeyMissing, "SetType");
}

void SetOriginalType(const QString &file, int value)
{
    if (!SyncItems().setOriginalType(file, value))
        reportSetError(KeyMissing, "SetOriginalType");
}

int GetType(const QString &file)
{
    const auto value = SyncItems().type(file);
    if (!value)
        reportSetError(KeyMissing, "GetType");
    return value.value_or(0);
}

int GetOriginalType(const QString &file)
{
    const auto value = SyncItems().originalType(file);
    if (!value)
        reportSetError(KeyMissing, "GetOriginalType");
    return value.value_or(0);
}

void ClassifyItems(bool bIgnoreDate)
{
    SyncItems().classify(bIgnoreDate);
}

} // namespace ardl
