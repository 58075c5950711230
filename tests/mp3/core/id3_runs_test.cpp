#include "Mp3TestFiles.h"

#include "mp3/core/ID3ToFileRun.h"
#include "mp3/core/MassTagRun.h"
#include "mp3/core/TagEditor.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

using namespace ardl;
using test::AudioBody;
using test::MakeTag;
using test::TagBytes;

namespace {

class Mp3RunTest : public test::TempDirTest {
protected:
    QString dir() const { return path() + u'/'; }
    Mp3File file(const QString &name) const { return {dir(), name}; }

    QString tagged(const QString &name, const ID3Tag &tag, quint32 seed = 1)
    {
        return writeFile(name, AudioBody(3000, seed) + TagBytes(tag));
    }
    QStringList listing() const { return QDir(path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
    ID3Tag tagOf(const QString &name) const
    {
        ID3Tag tag;
        EXPECT_TRUE(ReadID3Tag(path(name), tag)) << name.toStdString();
        return tag;
    }
    static std::vector<Mp3Outcome> outcomes(const std::vector<Mp3FileResult> &results)
    {
        std::vector<Mp3Outcome> out;
        for (const Mp3FileResult &r : results)
            out.push_back(r.outcome);
        return out;
    }
};

using enum Mp3Outcome;

} // namespace

TEST_F(Mp3RunTest, TagToNameRenamesInPlaceAndKeepsEveryByte)
{
    tagged("track01.MP3", MakeTag("Morning Song", "Blue Lake"));
    const QByteArray before = readFile("track01.MP3");
    const std::vector<Mp3FileResult> results = RunID3ToFile({file("track01.MP3")}, {});
    ASSERT_EQ(outcomes(results), std::vector{Ok});
    EXPECT_EQ(results[0].newName, QStringLiteral("Blue Lake - Morning Song.mp3"));
    EXPECT_EQ(listing(), QStringList{"Blue Lake - Morning Song.mp3"});
    EXPECT_EQ(readFile("Blue Lake - Morning Song.mp3"), before);
}

TEST_F(Mp3RunTest, TagToNameNeverReplacesOrLosesAFile)
{
    tagged("a.mp3", MakeTag("Same", "Artist"), 1);
    tagged("b.mp3", MakeTag("Same", "Artist"), 2);
    tagged("c.mp3", MakeTag("Taken", "Artist"), 3);
    writeFile("Artist - Taken.mp3", "someone else's file");
    writeFile("untagged.mp3", AudioBody(3000, 4));
    tagged("blank.mp3", MakeTag("", ""), 5);
    const QByteArray a = readFile("a.mp3"), b = readFile("b.mp3");

    ID3ToFileOptions o;
    const std::vector<Mp3FileResult> results = RunID3ToFile(
        {file("a.mp3"), file("b.mp3"), file("c.mp3"), file("untagged.mp3"), file("gone.mp3")}, o);
    EXPECT_EQ(outcomes(results), (std::vector{Ok, Error, Error, Error, Error}));
    EXPECT_FALSE(results[1].reason.isEmpty());
    EXPECT_EQ(readFile("Artist - Same.mp3"), a);
    EXPECT_EQ(readFile("b.mp3"), b);
    EXPECT_EQ(readFile("Artist - Taken.mp3"), "someone else's file");
    EXPECT_TRUE(QFileInfo::exists(path("c.mp3")));

    // An empty name, one made only of the format's "/" and one too long.
    for (const QString &format : {QStringLiteral("%2"), QStringLiteral("x/y"), QString(300, u'n')}) {
        o.Format = format;
        EXPECT_EQ(outcomes(RunID3ToFile({file("blank.mp3")}, o)), std::vector{Error}) << format.toStdString();
    }
    EXPECT_EQ(listing(),
              QStringList({"Artist - Same.mp3", "Artist - Taken.mp3", "b.mp3", "blank.mp3", "c.mp3", "untagged.mp3"}));
}

TEST_F(Mp3RunTest, TagToNameWithTheOldNameFixesTheExtensionOnly)
{
    tagged("Song.MP3", MakeTag("t", "a"));
    tagged("same.mp3", MakeTag("t", "a"), 2);
    ID3ToFileOptions o;
    o.Format = "%7";
    const std::vector<Mp3FileResult> results = RunID3ToFile({file("Song.MP3"), file("same.mp3")}, o);
    EXPECT_EQ(outcomes(results), (std::vector{Ok, AlreadyNamed})); // the second name would not change
    EXPECT_EQ(listing(), QStringList({"Song.mp3", "same.mp3"}));
}

// A file that has the name its tag gives is done, not failed, run after run;
// a name that differs in letter case only is not the same name.
TEST_F(Mp3RunTest, TagToNameLeavesAFileNamedSoAlreadyAsDoneAndRenamesACaseChange)
{
    tagged("Blue Lake - Morning Song.mp3", MakeTag("Morning Song", "Blue Lake"), 1);
    tagged("blue lake - evening song.mp3", MakeTag("Evening Song", "Blue Lake"), 2);
    tagged("Blue Lake - Night Song.MP3", MakeTag("Night Song", "Blue Lake"), 3);
    const QByteArray morning = readFile("Blue Lake - Morning Song.mp3");
    const QByteArray evening = readFile("blue lake - evening song.mp3");

    std::vector<Mp3File> files{file("Blue Lake - Morning Song.mp3"), file("blue lake - evening song.mp3"),
                               file("Blue Lake - Night Song.MP3")};
    std::vector<Mp3FileResult> results = RunID3ToFile(files, {});
    EXPECT_EQ(outcomes(results), (std::vector{AlreadyNamed, Ok, Ok}));
    EXPECT_TRUE(results[0].reason.isEmpty());
    EXPECT_EQ(results[1].newName, QStringLiteral("Blue Lake - Evening Song.mp3"));
    EXPECT_EQ(listing(), QStringList({"Blue Lake - Evening Song.mp3", "Blue Lake - Morning Song.mp3",
                                      "Blue Lake - Night Song.mp3"}));
    EXPECT_EQ(readFile("Blue Lake - Morning Song.mp3"), morning);
    EXPECT_EQ(readFile("Blue Lake - Evening Song.mp3"), evening);
    EXPECT_EQ(ID3ToFileSummary(files, results), QStringLiteral("2 renamed, 1 already named so, 0 failed"));

    // The second run over the new names has nothing left to do.
    for (size_t row = 0; row < files.size(); ++row) {
        if (!results[row].newName.isEmpty())
            files[row].name = results[row].newName;
    }
    results = RunID3ToFile(files, {});
    EXPECT_EQ(outcomes(results), (std::vector{AlreadyNamed, AlreadyNamed, AlreadyNamed}));
    EXPECT_EQ(ID3ToFileSummary(files, results), QStringLiteral("0 renamed, 3 already named so, 0 failed"));

    // A failure is counted and the first one named with its reason.
    writeFile("plain.mp3", AudioBody(3000, 4));
    files.push_back(file("plain.mp3"));
    results = RunID3ToFile(files, {});
    EXPECT_EQ(outcomes(results), (std::vector{AlreadyNamed, AlreadyNamed, AlreadyNamed, Error}));
    EXPECT_EQ(ID3ToFileSummary(files, results), QStringLiteral("0 renamed, 3 already named so, 1 failed, for example "
                                                               "plain.mp3: ")
                                                    + results[3].reason);
}

TEST_F(Mp3RunTest, AFileMetTwiceIsDoneOnce)
{
    tagged("music/a.mp3", MakeTag("Title", "Artist"));
    ASSERT_EQ(::symlink(QFile::encodeName(path("music")).constData(), QFile::encodeName(path("link")).constData()), 0);
    const Mp3File direct{dir() + "music/", "a.mp3"};
    const Mp3File throughLink{dir() + "link/", "a.mp3"};

    MassTagOptions o;
    o.Year = "1999";
    EXPECT_EQ(outcomes(RunMassTag({direct, throughLink}, o)), (std::vector{Ok, Error}));

    // A second row naming the new name of a renamed file is not taken over.
    tagged("music/b.mp3", MakeTag("Title", "Other"), 2);
    const std::vector<Mp3FileResult> renamed = RunID3ToFile(
        {{dir() + "music/", "b.mp3"}, {dir() + "music/", "Other - Title.mp3"}}, {});
    EXPECT_EQ(outcomes(renamed), (std::vector{Error, Error}));
    EXPECT_TRUE(QFileInfo::exists(path("music/b.mp3")));
}

TEST_F(Mp3RunTest, MassTaggingSetsTheCheckedFieldsOfTaggedFilesOnly)
{
    const ID3Tag original = MakeTag("Title", "Artist", "Album", "1990", "comment", 4);
    tagged("tagged.mp3", original, 1);
    const QByteArray plain = AudioBody(3000, 2);
    writeFile("plain.mp3", plain);
    const QByteArray audio = test::HeadHash(path("tagged.mp3"), 3000);

    MassTagOptions o;
    o.Year = "20011";
    o.Genre = 17;
    o.Title = "";
    const std::vector<Mp3FileResult> results = RunMassTag({file("tagged.mp3"), file("plain.mp3")}, o);
    EXPECT_EQ(outcomes(results), (std::vector{Ok, Error}));
    const ID3Tag after = tagOf("tagged.mp3");
    EXPECT_EQ(FieldText(after.Year), QStringLiteral("2001"));
    EXPECT_EQ(after.Genre, 17);
    EXPECT_EQ(FieldText(after.Title), QString(30, u' '));
    EXPECT_EQ(after.Artist, original.Artist);
    EXPECT_EQ(after.Album, original.Album);
    EXPECT_EQ(after.Comment, original.Comment);
    EXPECT_EQ(test::HeadHash(path("tagged.mp3"), 3000), audio);
    EXPECT_EQ(readFile("plain.mp3"), plain);

    EXPECT_EQ(outcomes(RunMassTag({file("tagged.mp3"), file("plain.mp3")}, {})), (std::vector{Unchanged, Error}));
}

TEST_F(Mp3RunTest, MassTaggingReportsAFileThatCannotBeWrittenAndGoesOn)
{
    tagged("a.mp3", MakeTag("a", "a"), 1);
    tagged("b.mp3", MakeTag("b", "b"), 2);
    MassTagOptions o;
    o.Artist = "New";
    std::vector<Mp3File> files{file("a.mp3"), file("gone.mp3"), file("b.mp3")};
    if (::geteuid() != 0) {
        QFile::setPermissions(path("a.mp3"), QFile::ReadOwner);
        EXPECT_EQ(outcomes(RunMassTag(files, o)), (std::vector{Error, Error, Ok}));
    } else {
        EXPECT_EQ(outcomes(RunMassTag(files, o)), (std::vector{Ok, Error, Ok}));
    }
    EXPECT_EQ(FieldText(tagOf("b.mp3").Artist).trimmed(), QStringLiteral("New"));
}

TEST_F(Mp3RunTest, TheEditorShowsTrimmedTextsAndSavesPaddedOnesToTheFileItLoaded)
{
    ID3Tag tag = MakeTag("Hello", "Artist", "Album", "1999", "c", 255);
    const QByteArray nulTitle = "Song" + QByteArray(26, '\0');
    std::copy(nulTitle.begin(), nulTitle.end(), tag.Album.begin());
    const QString file = tagged("a.mp3", tag);

    TagEditor editor;
    ASSERT_TRUE(editor.load(file));
    EXPECT_EQ(editor.path(), file);
    TagFields fields = editor.fields();
    EXPECT_EQ(fields.Title, QStringLiteral("Hello"));
    EXPECT_EQ(fields.Album, QStringLiteral("Song"));
    EXPECT_EQ(fields.Genre, 255);

    fields.Year = "1999 ";
    fields.Comment = "  spaced  ";
    fields.Genre = 0; // the list shows the first item for genre 255
    ASSERT_TRUE(editor.save(fields));
    EXPECT_FALSE(editor.loaded());
    const ID3Tag saved = tagOf("a.mp3");
    EXPECT_EQ(FieldText(saved.Title), QStringLiteral("Hello") + QString(25, u' '));
    EXPECT_EQ(FieldText(saved.Album), FieldText(tag.Album)); // left as loaded: the bytes stay
    EXPECT_EQ(FieldText(saved.Year), QStringLiteral("1999"));
    EXPECT_EQ(FieldText(saved.Comment), QStringLiteral("spaced") + QString(24, u' '));
    EXPECT_EQ(saved.Genre, 0);

    // Nothing loaded: nothing written.
    const QByteArray now = readFile("a.mp3");
    EXPECT_FALSE(editor.save(fields));
    EXPECT_EQ(readFile("a.mp3"), now);
    EXPECT_FALSE(editor.load(writeFile("plain.mp3", AudioBody(500))));
    EXPECT_FALSE(editor.loaded());
}

TEST_F(Mp3RunTest, TheEditorKeepsWhatItDoesNotShowInTheBoxesLeftAlone)
{
    // A track number in the last byte of the comment, after a NUL, and
    // padding of NULs behind the texts: the boxes show none of it.
    ID3Tag tag = MakeTag("", "", "", "2001", "", 7);
    const QByteArray comment = "Live" + QByteArray(25, '\0') + '\x05';
    std::copy(comment.begin(), comment.end(), tag.Comment.begin());
    const QByteArray title = "Song" + QByteArray(26, '\0');
    std::copy(title.begin(), title.end(), tag.Title.begin());
    tagged("a.mp3", tag);

    TagEditor editor;
    ASSERT_TRUE(editor.load(path("a.mp3")));
    TagFields fields = editor.fields();
    EXPECT_EQ(fields.Comment, QStringLiteral("Live"));
    fields.Artist = "New Artist";
    ASSERT_TRUE(editor.save(fields));
    ID3Tag saved = tagOf("a.mp3");
    EXPECT_EQ(saved.Comment, tag.Comment);
    EXPECT_EQ(saved.Title, tag.Title);
    EXPECT_EQ(FieldText(saved.Artist), QStringLiteral("New Artist") + QString(20, u' '));
    EXPECT_EQ(saved.Year, tag.Year);
    EXPECT_EQ(saved.Genre, 7);

    // A changed comment is written whole, as typed.
    ASSERT_TRUE(editor.load(path("a.mp3")));
    fields = editor.fields();
    fields.Comment = "Studio";
    ASSERT_TRUE(editor.save(fields));
    saved = tagOf("a.mp3");
    EXPECT_EQ(FieldText(saved.Comment), QStringLiteral("Studio") + QString(24, u' '));
}

TEST_F(Mp3RunTest, TheEditorNeverWritesAFileThatLostItsTagOrWasReplaced)
{
    const QString file = tagged("a.mp3", MakeTag("a", "a"));
    TagEditor editor;
    ASSERT_TRUE(editor.load(file));
    const QByteArray untagged = AudioBody(4000, 7);
    writeFile("a.mp3", untagged); // rewritten in place without a tag
    EXPECT_EQ(editor.save(editor.fields()).fault, TagFault::NoTag);
    EXPECT_EQ(readFile("a.mp3"), untagged);

    ASSERT_TRUE(editor.load(tagged("a.mp3", MakeTag("a", "a"))));
    tagged("b.mp3", MakeTag("b", "b"), 2);
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QFile::rename(path("b.mp3"), file));
    const QByteArray other = readFile("a.mp3");
    EXPECT_EQ(editor.save(editor.fields()).fault, TagFault::Replaced);
    EXPECT_EQ(readFile("a.mp3"), other);

    ASSERT_TRUE(editor.load(file));
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_EQ(editor.save(editor.fields()).fault, TagFault::System);
    EXPECT_FALSE(QFileInfo::exists(file));
}
