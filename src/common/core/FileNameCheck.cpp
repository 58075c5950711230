#include "FileNameCheck.h"

#include "StringTable.h"

#include <QFile>

#include <climits>
#include <unistd.h>

namespace ardl {

namespace {

// Taken when the file system cannot be asked (a folder not made yet).
constexpr long FallbackNameMax = 255;

// The bytes of a text's UTF-8 form, and whether UTF-8 can hold it at all.
struct Utf8Form {
    qsizetype bytes = 0;
    bool exact = true;
};

Utf8Form utf8Form(QStringView text)
{
    Utf8Form form;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            form.bytes += 1;
        } else if (c < 0x800) {
            form.bytes += 2;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            form.bytes += 4;
            ++i;
        } else {
            form.bytes += 3; // a lone half of a pair is written as U+FFFD
            if (QChar::isSurrogate(c))
                form.exact = false;
        }
    }
    return form;
}

} // namespace

qsizetype Utf8Size(QStringView text)
{
    return utf8Form(text).bytes;
}

long FileNameCheck::nameMax(const QString &folder)
{
    if (!m_lastFolder.isNull() && folder == m_lastFolder)
        return m_lastMax;
    auto it = m_limits.constFind(folder);
    if (it == m_limits.constEnd()) {
        const long max = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
        it = m_limits.insert(folder, max > 0 ? max : FallbackNameMax);
    }
    m_lastFolder = folder;
    m_lastMax = *it;
    m_lastFolderBytes = utf8Form(folder).bytes;
    return m_lastMax;
}

NameFault FileNameCheck::fault(const QString &folder, QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(QChar(u'\0')))
        return NameFault::Bad;
    const Utf8Form form = utf8Form(name);
    // nameMax() also sets m_lastFolderBytes, the folder's length in UTF-8.
    if (form.bytes > nameMax(folder) || m_lastFolderBytes + form.bytes >= PATH_MAX)
        return NameFault::TooLong;
    if (!form.exact)
        return NameFault::NotWritable;
    return NameFault::None;
}

QString NameFaultText(NameFault fault)
{
    switch (fault) {
    case NameFault::None:
        return QString();
    case NameFault::Bad:
        return LoadResString(4110);
    case NameFault::TooLong:
        return LoadResString(4111);
    case NameFault::NotWritable:
        return LoadResString(4407);
    }
    return QString();
}

} // namespace ardl
