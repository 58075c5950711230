#pragma once

#include "ID3Tag.h"

#include "common/core/FileNameCheck.h"

#include <QString>

// Building a file name from a tag.
namespace ardl {

enum class NameCase { None, Capitalize, Lower, Upper };

// How the tag-to-name panel builds a name.
struct ID3ToFileOptions {
    QString Format = QStringLiteral("%1 - %2");
    bool ChangeSpaces = false;   // then replace each space, or delete it
    bool ReplaceSpaces = true;
    QString SpaceReplacement;
    NameCase Case = NameCase::None;
};

// A tag field as a part of a file name: leading and trailing spaces
// removed, then cut at its first NUL; "/" and "\" become "-" so that the
// text stays one name, and control characters are dropped.
QString TagFieldForName(const QString &field);

// The format with its codes replaced: %1 artist, %2 title, %3 album,
// %4 year, %5 genre name ("" for a genre without one), %6 comment, %7 the
// old name without its extension. "%" before any other character gives "%"
// and drops that character; a "%" at the very end stays.
QString FormatID3FileName(const QString &oldName, const QString &format, const ID3Tag &tag);

// The new base name (without ".mp3"): the format, then the space handling,
// then the case change, over the whole built name.
QString BuildID3FileName(const QString &oldName, const ID3ToFileOptions &options, const ID3Tag &tag);

// Why a built name cannot become a file's new name in `folder` ("" when it
// can): a base name empty, "." or "..", or a name that cannot be a file name
// there (see FileNameCheck).
QString ID3FileNameFault(FileNameCheck &names, const QString &folder, const QString &baseName, const QString &newName);

} // namespace ardl
