#include "FileIcons.h"

#include "common/core/ErrorReport.h"
#include "common/core/modFile.h"

#include <QFileIconProvider>
#include <QHash>
#include <QMimeDatabase>

namespace ardl {

namespace {

const QIcon &genericFileIcon()
{
    static const QIcon icon = [] {
        const QIcon themed = QIcon::fromTheme(QStringLiteral("text-x-generic"));
        return themed.isNull() ? QFileIconProvider().icon(QAbstractFileIconProvider::File) : themed;
    }();
    return icon;
}

QIcon themedIcon(const QMimeType &type)
{
    const QIcon icon = QIcon::fromTheme(type.iconName());
    return icon.isNull() ? QIcon::fromTheme(type.genericIconName()) : icon;
}

// The icon of one type, made once.
const QIcon &iconOfType(const QMimeType &type)
{
    static QHash<QString, QIcon> byType;
    auto it = byType.find(type.name());
    if (it == byType.end()) {
        QIcon icon = type.isDefault() ? QIcon() : themedIcon(type);
        it = byType.insert(type.name(), icon.isNull() ? genericFileIcon() : icon);
    }
    return *it;
}

// Type lookups by extension, made once per extension.
const QIcon &iconOfExtension(const QString &extension)
{
    static QHash<QString, QIcon> byExtension;
    auto it = byExtension.find(extension);
    if (it == byExtension.end()) {
        const QMimeType type = extension.isEmpty()
            ? QMimeDatabase().mimeTypeForName(QStringLiteral("application/octet-stream"))
            : QMimeDatabase().mimeTypeForFile(QStringLiteral("x.") + extension, QMimeDatabase::MatchExtension);
        it = byExtension.insert(extension, iconOfType(type));
    }
    return *it;
}

} // namespace

QIcon SmallFileIcon(const QString &fileName)
{
    return iconOfExtension(GetFileExtension(GetFileName(fileName)).toLower());
}

QVariant vbAddFileItemIcon(const QString &fileName)
{
    return Guarded(QStringLiteral("in DirEvaVezi.modDirEvaVezi.vbAddFileItemIcon."), QVariant(),
                   [&] { return QVariant(SmallFileIcon(fileName)); });
}

} // namespace ardl
