#pragma once

#include <QString>

// Field extraction, character and word replacement and the small text helpers
// shared by the pages. Positions are 1-based like the texts users count in.
namespace ardl {

// The first character of the user's decimal separator.
QChar GetDecimalSeparator();
// 1-based position of the last occurrence of the one-character text `ch`;
// 0 when there is none or `ch` is not exactly one character.
qsizetype BInStr(const QString &text, const QString &ch);
// Field n (1-based) of a delimited text, trimmed of spaces; "" when there
// are fewer fields, n < 1 or the delimiter is empty. The delimiter may be
// longer than one character.
QString sListPos(const QString &text, const QString &delimiter, qsizetype n);
// Text before the first NUL.
QString TrimNull(const QString &text);
// Replaces each occurrence of the one-character text `ch` by `replacement`.
QString ReplaceCar(const QString &text, const QString &ch, const QString &replacement);
// Replaces the first occurrence of `find`: compare -1 with case, 0 without;
// any other value returns the text unchanged.
QString ReplaceWord(const QString &text, const QString &find, const QString &replacement, int compare);
// Maps a folder-kind number onto a special-folder identifier.
int GetFolderValue(int value);
// Each digit d becomes 9 - d and each "-" a space (sort keys of negatives).
QString InvNumber(const QString &text);
// Spaces (only U+0020) removed from both ends.
QString TrimSpaces(const QString &text);
// Rounds a size figure up when its first decimal digit is not 0: 2.5 gives
// 3, 2.01 gives 2, 7 gives 7. The value is read as its 15-digit text shows
// it, so 2.1 stored as 2.0999... still counts as 2.1. A value out of the
// 64-bit range is reported and gives 0.
qint64 SizeRound(double value);

} // namespace ardl
