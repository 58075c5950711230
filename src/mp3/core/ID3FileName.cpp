#include "ID3FileName.h"

#include "GenreList.h"

#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modGlobal.h"
#include "common/core/modString.h"

namespace ardl {

namespace {

QString codeText(QChar code, const QString &oldName, const ID3Tag &tag)
{
    switch (code.unicode()) {
    case '1': return TagFieldForName(FieldText(tag.Artist));
    case '2': return TagFieldForName(FieldText(tag.Title));
    case '3': return TagFieldForName(FieldText(tag.Album));
    case '4': return TagFieldForName(FieldText(tag.Year));
    case '5': return TagFieldForName(GenreName(tag.Genre));
    case '6': return TagFieldForName(FieldText(tag.Comment));
    case '7': return GetFileBaseName(oldName);
    default: return QStringLiteral("%");
    }
}

QString changeCase(const QString &name, NameCase nameCase)
{
    switch (nameCase) {
    case NameCase::Upper: return name.toUpper();
    case NameCase::Lower: return name.toLower();
    case NameCase::Capitalize: return ProperCase(name);
    case NameCase::None: break;
    }
    return name;
}

} // namespace

QString TagFieldForName(const QString &field)
{
    const QString text = TrimNull(TrimSpaces(field));
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'/' || c == u'\\')
            out += u'-';
        else if (c.category() != QChar::Other_Control)
            out += c;
    }
    return out;
}

QString FormatID3FileName(const QString &oldName, const QString &format, const ID3Tag &tag)
{
    QString out;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        const QChar code = format[++i];
        // A character outside the BMP is one code character: it is dropped
        // whole, never leaving half of its pair in the name.
        if (code.isHighSurrogate() && i + 1 < format.size() && format[i + 1].isLowSurrogate())
            ++i;
        out += codeText(code, oldName, tag);
    }
    return out;
}

QString BuildID3FileName(const QString &oldName, const ID3ToFileOptions &options, const ID3Tag &tag)
{
    QString name = FormatID3FileName(oldName, options.Format, tag);
    if (options.ChangeSpaces)
        name = ReplaceCar(name, QStringLiteral(" "), options.ReplaceSpaces ? options.SpaceReplacement : QString());
    return changeCase(name, options.Case);
}

QString ID3FileNameFault(FileNameCheck &names, const QString &folder, const QString &baseName, const QString &newName)
{
    if (baseName.isEmpty() || baseName == u"." || baseName == u"..")
        return NameFaultText(NameFault::Bad);
    if (const NameFault fault = names.fault(folder, newName); fault != NameFault::None)
        return NameFaultText(fault);
    return QString();
}

} // namespace ardl
