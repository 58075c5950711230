#include "GenreList.h"

#include "common/core/StringTable.h"
#include "common/core/modGlobal.h"

namespace ardl {

namespace {

constexpr int FirstGenreString = 1000;
constexpr int ItemGap = 50;

} // namespace

QStringList ID3GenreList()
{
    QStringList names;
    names.reserve(GenreCount);
    for (int genre = 0; genre < GenreCount; ++genre)
        names << GenreName(genre);
    return names;
}

QString GenreName(int genre)
{
    return genre >= 0 && genre < GenreCount ? LoadResString(FirstGenreString + genre) : QString();
}

QString GenreItem(int genre)
{
    return GenreName(genre) + QString(ItemGap, u' ') + u'|' + QString::number(genre);
}

std::optional<std::uint8_t> ParseGenreItem(const QString &item)
{
    bool ok = false;
    const int genre = TrimSpaces(sListPos(item, QStringLiteral("|"), 2)).toInt(&ok);
    if (!ok || genre < 0 || genre > 255)
        return std::nullopt;
    return std::uint8_t(genre);
}

int GenreItemIndex(int genre)
{
    return genre >= 0 && genre < GenreCount ? genre : 0;
}

} // namespace ardl
