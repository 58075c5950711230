#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The music genres of ID3v1 tags: numbers 0-147 have names (string table
// 1000 + number), 148-255 have none.
namespace ardl {

constexpr int GenreCount = 148;

// The 148 names, in number order.
QStringList ID3GenreList();

// The name of a genre number; "" for a number without one.
QString GenreName(int genre);

// The entry of the genre drop-down lists for `genre`: its name, 50 spaces,
// "|" and the number ("Blues" + 50 spaces + "|0").
QString GenreItem(int genre);

// The genre number of a list entry: the second "|" field, trimmed. nullopt
// when the entry holds no number from 0 to 255 (no entry chosen yet).
std::optional<std::uint8_t> ParseGenreItem(const QString &item);

// The list position that shows a tag's genre: the number itself when it
// has a name, else 0.
int GenreItemIndex(int genre);

} // namespace ardl
