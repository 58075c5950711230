#include "Mp3TestFiles.h"

#include "mp3/core/GenreList.h"
#include "mp3/core/modMP3.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

using namespace ardl;
using test::AudioBody;
using test::MakeTag;
using test::TagBytes;

namespace {

class ID3TagTest : public test::TempDirTest {
protected:
    QString tagged(const QString &name, const ID3Tag &tag, int audio = 4096)
    {
        return writeFile(name, AudioBody(audio) + TagBytes(tag));
    }
};

QByteArray padded(const QByteArray &text, int width, char pad)
{
    return text + QByteArray(width - text.size(), pad);
}

} // namespace

TEST_F(ID3TagTest, ReadsTheLastBlockFieldByFieldKeepingPaddingAndTheWholeComment)
{
    // A title padded with NULs and a v1.1 comment: 28 characters, a zero
    // byte and track 7.
    const QByteArray block = "TAG" + padded("Song", 30, '\0') + padded("Blue Lake", 30, ' ')
                           + padded("Album", 30, ' ') + "1999" + padded("comment", 28, ' ') + '\0' + '\7'
                           + char(17);
    ASSERT_EQ(block.size(), 128);
    const QString file = writeFile("a.mp3", AudioBody(1000) + block);

    ID3Tag tag;
    const TagIoResult read = ReadID3Tag(file, tag);
    ASSERT_TRUE(read);
    EXPECT_EQ(TagBytes(tag), block);
    EXPECT_EQ(FieldText(tag.Title), QStringLiteral("Song") + QString(26, QChar(0)));
    EXPECT_EQ(FieldText(tag.Comment).size(), 30);
    EXPECT_EQ(FieldText(tag.Comment).right(2), QString(QChar(0)) + QChar(7));
    EXPECT_EQ(tag.Genre, 17);

    // Writing the title alone leaves the NUL-padded bytes of the others,
    // and writing a comment drops the track number for spaces.
    SetField(tag.Title, u"Song");
    SetField(tag.Comment, u"new");
    ASSERT_TRUE(WriteID3Tag(file, tag));
    const QByteArray tail = readFile("a.mp3").right(128);
    EXPECT_EQ(tail.mid(3, 30), padded("Song", 30, ' '));
    EXPECT_EQ(tail.mid(97, 30), padded("new", 30, ' '));
    EXPECT_EQ(tail.mid(33, 94 - 33), block.mid(33, 94 - 33));
}

TEST_F(ID3TagTest, OnlyAnExactUpperCaseHeaderIsATag)
{
    ID3Tag tag = MakeTag("t", "a");
    for (const char *header : {"tag", "TAg", "TA\0"}) {
        QByteArray block = TagBytes(tag);
        block.replace(0, 3, QByteArray(header, 3));
        const QString file = writeFile("h.mp3", AudioBody(500) + block);
        EXPECT_FALSE(ReadID3Tag(file, tag)) << header;
        EXPECT_EQ(ReadID3Tag(file, tag).fault, TagFault::NoTag);
    }
}

TEST_F(ID3TagTest, A128ByteFileIsAllTagAndAShorterOneIsNeverTouched)
{
    const ID3Tag original = MakeTag("Old", "Artist");
    const QString whole = writeFile("128.mp3", TagBytes(original));
    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(whole, tag));
    EXPECT_EQ(tag, original);
    SetField(tag.Title, u"New");
    ASSERT_TRUE(WriteID3Tag(whole, tag));
    EXPECT_EQ(readFile("128.mp3"), TagBytes(tag));

    const QByteArray shortBytes = TagBytes(original).left(127);
    const QString shortFile = writeFile("127.mp3", shortBytes);
    EXPECT_EQ(ReadID3Tag(shortFile, tag).fault, TagFault::TooShort);
    EXPECT_EQ(WriteID3Tag(shortFile, tag).fault, TagFault::TooShort);
    EXPECT_EQ(readFile("127.mp3"), shortBytes);
    const QString empty = writeFile("0.mp3", {});
    EXPECT_FALSE(ReadID3Tag(empty, tag));
    EXPECT_FALSE(WriteID3Tag(empty, tag));
    EXPECT_EQ(QFileInfo(empty).size(), 0);
}

TEST_F(ID3TagTest, WritingChangesOnlyTheTagBytesAndNeverGivesAFileATag)
{
    const QString file = tagged("t.mp3", MakeTag("Title", "Artist"), 200000);
    const QByteArray audioBefore = test::HeadHash(file, 200000);
    ID3Tag tag = MakeTag("Other", "Other", "Album", "2001", "c", 3);
    tag.Header = {'x', 'y', 'z'};
    ASSERT_TRUE(WriteID3Tag(file, tag));
    EXPECT_TRUE(tag.HasHeader());   // the caller's record gets the header
    EXPECT_EQ(test::HeadHash(file, 200000), audioBefore);
    EXPECT_EQ(QFileInfo(file).size(), 200128);
    EXPECT_EQ(readFile("t.mp3").right(128), TagBytes(tag));

    const QByteArray plain = AudioBody(5000, 9);
    const QString untagged = writeFile("plain.mp3", plain);
    const TagIoResult written = WriteID3Tag(untagged, tag);
    EXPECT_EQ(written.fault, TagFault::NoTag);
    EXPECT_EQ(readFile("plain.mp3"), plain);
}

TEST_F(ID3TagTest, FailuresAreReportedNeverRaisedAndNameTheirCause)
{
    ID3Tag tag = MakeTag("a", "b");
    const TagIoResult missing = ReadID3Tag(path("gone.mp3"), tag);
    EXPECT_EQ(missing.fault, TagFault::System);
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_FALSE(TagFaultText(missing).isEmpty());
    EXPECT_EQ(WriteID3Tag(path("gone.mp3"), tag).error, ENOENT);
    EXPECT_FALSE(QFileInfo::exists(path("gone.mp3")));   // never created

    EXPECT_EQ(ReadID3Tag(makeDir("folder.mp3"), tag).fault, TagFault::NotRegular);
    // A pipe under the name: no wait for a writer.
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe.mp3")).constData(), 0600), 0);
    EXPECT_EQ(ReadID3Tag(path("pipe.mp3"), tag).fault, TagFault::NotRegular);
    EXPECT_EQ(WriteID3Tag(path("pipe.mp3"), tag).fault, TagFault::NotRegular);

    const QString readOnly = tagged("ro.mp3", MakeTag("x", "y"));
    const QByteArray before = readFile("ro.mp3");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
    if (::geteuid() != 0) {   // root writes whatever the permissions say
        const TagIoResult refused = WriteID3Tag(readOnly, tag);
        EXPECT_EQ(refused.fault, TagFault::System);
        EXPECT_EQ(refused.error, EACCES);
        EXPECT_EQ(readFile("ro.mp3"), before);
    }
    EXPECT_TRUE(ReadID3Tag(readOnly, tag));
}

TEST_F(ID3TagTest, OnlyTheFileReadIsWrittenWhenOneIsExpected)
{
    const QString file = tagged("a.mp3", MakeTag("A", "A"));
    ID3Tag tag;
    const TagIoResult read = ReadID3Tag(file, tag);
    ASSERT_TRUE(read);
    // Another tagged file takes the name.
    const QString other = tagged("b.mp3", MakeTag("B", "B"));
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(other, file));
    const QByteArray before = readFile("a.mp3");
    EXPECT_EQ(WriteID3Tag(file, tag, &read.file).fault, TagFault::Replaced);
    EXPECT_EQ(readFile("a.mp3"), before);
}

TEST(Windows1252Test, EveryByteComesBackAndTextsMapAsTheCodePageSays)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = char(i);
    const QString text = DecodeWindows1252(all.constData(), 256);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0x80], QChar(0x20AC));   // euro sign
    EXPECT_EQ(text[0x92], QChar(0x2019));
    EXPECT_EQ(text[0xE9], QChar(0xE9));
    EXPECT_EQ(text[0x81], QChar(0x81));     // undefined: kept as itself
    QByteArray back(256, '\0');
    EncodeWindows1252Padded(text, back.data(), 256);
    EXPECT_EQ(back, all);

    // Outside the set: one "?" per character, a surrogate pair included.
    std::array<char, 6> field{};
    SetField(field, QStringView(u"\u4E2D\U0001F600ab"));
    EXPECT_EQ(QByteArray(field.data(), 6), QByteArray("??ab  "));
}

TEST(ID3TagFieldsTest, TextsArePaddedWithSpacesAndCutToTheirWidth)
{
    ID3Tag tag;
    SetField(tag.Year, u"20011");
    EXPECT_EQ(FieldText(tag.Year), QStringLiteral("2001"));
    SetField(tag.Title, u"");
    EXPECT_EQ(FieldText(tag.Title), QString(30, u' '));
    SetField(tag.Title, u"Caf\u00e9 \u20ac");
    EXPECT_EQ(QByteArray(tag.Title.data(), 7), QByteArray("Caf\xE9 \x80 "));
}

TEST(GenreListTest, ItemsHoldNameGapAndNumberAndParseBack)
{
    const QStringList names = ID3GenreList();
    ASSERT_EQ(names.size(), 148);
    EXPECT_EQ(names.front(), QStringLiteral("Blues"));
    EXPECT_EQ(names[17], QStringLiteral("Rock"));
    EXPECT_EQ(names.back(), QStringLiteral("Synthpop"));
    EXPECT_EQ(GenreItem(0), QStringLiteral("Blues") + QString(50, u' ') + QStringLiteral("|0"));
    EXPECT_EQ(GenreItem(147), QStringLiteral("Synthpop") + QString(50, u' ') + QStringLiteral("|147"));
    for (int genre : {0, 17, 62, 147})
        EXPECT_EQ(ParseGenreItem(GenreItem(genre)), std::optional<std::uint8_t>(genre));
    EXPECT_EQ(ParseGenreItem(QString()), std::nullopt);   // nothing chosen
    EXPECT_EQ(ParseGenreItem(QStringLiteral("Rock|x")), std::nullopt);
    EXPECT_EQ(GenreName(148), QString());
    EXPECT_EQ(GenreName(255), QString());
    EXPECT_EQ(GenreItemIndex(255), 0);
    EXPECT_EQ(GenreItemIndex(147), 147);
}
