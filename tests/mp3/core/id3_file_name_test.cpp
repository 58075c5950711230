#include "Mp3TestFiles.h"

#include "mp3/core/ID3FileName.h"
#include "support/TestSupport.h"

#include <QDir>

using namespace ardl;
using test::MakeTag;

namespace {

const ID3Tag Song = MakeTag("Morning Song", "Blue Lake", "Shore", "2001", "fine", 17);

QString build(const QString &format, const ID3Tag &tag = Song, const QString &old = "old name.MP3")
{
    return FormatID3FileName(old, format, tag);
}

} // namespace

TEST(FormatID3FileNameTest, CodesTakeTheTrimmedFieldsAndOtherTextStays)
{
    EXPECT_EQ(build("%1 - %2"), QStringLiteral("Blue Lake - Morning Song"));
    EXPECT_EQ(build("%3 (%4) %5, %6: %7"), QStringLiteral("Shore (2001) Rock, fine: old name"));
    EXPECT_EQ(build("%%1"), QStringLiteral("%1"));
    EXPECT_EQ(build("%x%9"), QStringLiteral("%%"));
    // A code character written as a surrogate pair goes whole.
    EXPECT_EQ(build(QStringLiteral("%\U0001F3B5%2")), QStringLiteral("%Morning Song"));
    EXPECT_EQ(build("100%"), QStringLiteral("100%"));
    EXPECT_EQ(build(""), QString());
    EXPECT_EQ(build("%7", Song, "Song.MP3"), QStringLiteral("Song"));
    EXPECT_EQ(build("%7", Song, ".hidden"), QStringLiteral(".hidden"));
}

TEST(FormatID3FileNameTest, FieldsAreTrimmedThenCutAtNul)
{
    ID3Tag tag = Song;
    const QByteArray nulPadded = "AB" + QByteArray(28, '\0');
    std::copy(nulPadded.begin(), nulPadded.end(), tag.Artist.begin());
    EXPECT_EQ(build("%1", tag), QStringLiteral("AB"));
    SetField(tag.Artist, u" AB ");
    EXPECT_EQ(build("[%1]", tag), QStringLiteral("[AB]"));
    const QByteArray junk = "Keep" + QByteArray(1, '\0') + "junk after the NUL";
    tag.Title.fill(' ');
    std::copy(junk.begin(), junk.end(), tag.Title.begin());
    EXPECT_EQ(build("%2", tag), QStringLiteral("Keep"));
}

TEST(FormatID3FileNameTest, TagTextNeverLeavesTheFolder)
{
    ID3Tag tag = MakeTag("Back\\In/Black", "AC/DC");
    tag.Album.fill(' ');
    const char controls[] = "\x1bx\ty";
    std::copy(controls, controls + 4, tag.Album.begin());
    EXPECT_EQ(build("%3", tag), QStringLiteral("xy"));
    tag.Genre = 62;   // "Pop/Funk"
    EXPECT_EQ(build("%5", tag), QStringLiteral("Pop-Funk"));
    for (int genre : {148, 200, 255}) {
        tag.Genre = quint8(genre);
        EXPECT_EQ(build("<%5>", tag), QStringLiteral("<>")) << genre;
    }
}

TEST(BuildID3FileNameTest, SpacesAndCaseApplyToTheWholeBuiltName)
{
    ID3ToFileOptions o;
    o.ChangeSpaces = true;
    o.SpaceReplacement = "_";
    o.Case = NameCase::Upper;
    EXPECT_EQ(BuildID3FileName("x.mp3", o, Song), QStringLiteral("BLUE_LAKE_-_MORNING_SONG"));
    o.ReplaceSpaces = false;
    o.Case = NameCase::Lower;
    o.Format = "%2 by %7";
    EXPECT_EQ(BuildID3FileName("My File.mp3", o, Song), QStringLiteral("morningsongbymyfile"));
    o.ChangeSpaces = false;
    o.Case = NameCase::Capitalize;
    o.Format = "%1 - %2";
    EXPECT_EQ(BuildID3FileName("x.mp3", o, MakeTag("o'neil song", "BLUE lake")),
              QStringLiteral("Blue Lake - O'Neil Song"));
    o.Case = NameCase::None;
    EXPECT_EQ(BuildID3FileName("x.mp3", o, Song), QStringLiteral("Blue Lake - Morning Song"));
}

TEST(ID3FileNameFaultTest, NamesThatCannotBeUsedAreRefused)
{
    FileNameCheck names;
    const QString folder = QDir::tempPath() + u'/';
    const auto fault = [&](const QString &base) {
        return !ID3FileNameFault(names, folder, base, base + ".mp3").isEmpty();
    };
    EXPECT_FALSE(fault("Blue Lake - Morning Song"));
    EXPECT_TRUE(fault(""));
    EXPECT_TRUE(fault("."));
    EXPECT_TRUE(fault(".."));
    EXPECT_TRUE(fault("a/b"));   // from the format's own text
    EXPECT_TRUE(fault(QStringLiteral("a") + QChar(0) + "b"));
    EXPECT_FALSE(fault(QString(251, u'x')));   // 255 bytes with ".mp3"
    EXPECT_TRUE(fault(QString(252, u'x')));
    EXPECT_TRUE(fault(QString(126, u'\u00e9')));   // 252 bytes in UTF-8
}
