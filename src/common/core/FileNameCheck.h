#pragma once

#include <QHash>
#include <QString>
#include <QStringView>

namespace ardl {

// Why a text cannot become a file's name.
enum class NameFault {
    None,
    Bad,         // empty, "." or "..", or holding "/" or NUL
    TooLong,     // longer than the folder's file system takes, or making too long a path
    NotWritable, // holds what UTF-8 cannot (half a surrogate pair): the file would get another name
};

// Tells whether texts can become the names of files in given folders, as
// they stand. Each folder's file system is asked for its name limit once.
class FileNameCheck {
public:
    NameFault fault(const QString &folder, QStringView name);

private:
    long nameMax(const QString &folder);

    QHash<QString, long> m_limits;
    QString m_lastFolder;
    long m_lastMax = 0;
    qsizetype m_lastFolderBytes = 0;
};

// Why a name cannot be used, in the user's words ("" for NameFault::None).
QString NameFaultText(NameFault fault);

// The bytes of a text's UTF-8 form, counted without encoding it (a lone half
// of a surrogate pair counts as the U+FFFD it is written as).
qsizetype Utf8Size(QStringView text);

} // namespace ardl
