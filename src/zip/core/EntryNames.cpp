#include "EntryNames.h"

#include "common/core/FileMask.h"
#include "common/core/LeftOutNames.h"
#include "common/core/modFile.h"

#include <QHash>

#include <unordered_set>

namespace ardl {

namespace {

bool IsDosCharacter(QChar c)
{
    if (c.unicode() >= 128)
        return false;
    if (c.isLetterOrNumber())
        return true;
    return QStringView(u"!#$%&'()-@^_`{}~").contains(c);
}

QString DosCharacters(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        out += IsDosCharacter(c) ? c.toUpper() : QChar(u'_');
    return out;
}

} // namespace

QString DosNamePart(const QString &part)
{
    QString name = part;
    while (name.startsWith(u'.'))
        name.remove(0, 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    QString base = dot >= 0 ? name.left(dot) : name;
    QString extension = dot >= 0 ? name.mid(dot + 1) : QString();
    base = DosCharacters(base).left(8);
    extension = DosCharacters(extension).left(3);
    if (base.isEmpty())
        base = QStringLiteral("_");
    return extension.isEmpty() ? base : base + u'.' + extension;
}

QString EntryNameForFile(const QString &localPath, bool junkFolders, bool dosNames)
{
    const QString name = junkFolders ? GetFileName(localPath) : StripDriveRoot(localPath);
    if (!dosNames)
        return name;
    QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    for (QString &part : parts)
        part = DosNamePart(part);
    return parts.join(u'/');
}

QStringList SafeEntryParts(const QString &entryName, QString *why)
{
    auto refuse = [why](const char *reason) {
        if (why)
            *why = QString::fromLatin1(reason);
        return QStringList();
    };
    const QString name = EntryNameAsRead(entryName);
    if (name.startsWith(u'/'))
        return refuse("absolute path");
    if (name.size() >= 2 && name[1] == u':' && name[0].unicode() < 128 && name[0].isLetter())
        return refuse("drive letter");
    QStringList parts;
    for (const QString &part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".."))
            return refuse("parent folder step");
        if (part != QLatin1String("."))
            parts << part;
    }
    if (parts.isEmpty())
        return refuse("empty name");
    return parts;
}

std::vector<const ZipEntry *> SelectEntries(const std::vector<ZipEntry> &entries, const QStringList &names,
                                            QStringList *unmatched, const QList<QByteArray> &rawNames)
{
    QHash<QString, std::vector<size_t>> byName;
    byName.reserve(qsizetype(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].nameIsExact())
            byName[entries[i].name].push_back(i);
    }

    std::vector<bool> picked(entries.size(), false);
    for (const QString &name : names) {
        bool found = false;
        if (name.trimmed().isEmpty()) {
            if (unmatched)
                *unmatched << name;
            continue;
        }
        const auto exact = byName.constFind(name);
        if (exact != byName.cend()) {
            for (size_t i : *exact)
                picked[i] = true;
            found = true;
        } else {
            const FileMask mask(name);
            const bool wholeName = name.contains(u'/');
            for (size_t i = 0; i < entries.size(); ++i) {
                const QStringView entryName(entries[i].name);
                const QStringView fileName = entryName.mid(entryName.lastIndexOf(u'/', entryName.size() - 2) + 1);
                if (mask.matches(wholeName ? entryName : fileName)) {
                    picked[i] = true;
                    found = true;
                }
            }
        }
        if (!found && unmatched)
            *unmatched << name;
    }
    QHash<QByteArray, std::vector<size_t>> byRawName;
    if (!rawNames.isEmpty()) {
        for (size_t i = 0; i < entries.size(); ++i)
            byRawName[entries[i].rawName].push_back(i);
    }
    for (const QByteArray &raw : rawNames) {
        const auto exact = byRawName.constFind(raw);
        if (exact != byRawName.cend()) {
            for (size_t i : *exact)
                picked[i] = true;
        } else if (unmatched) {
            *unmatched << ShownName(raw);
        }
    }
    std::vector<const ZipEntry *> selected;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (picked[i])
            selected.push_back(&entries[i]);
    }
    return selected;
}

} // namespace ardl
