// Tags exchanged with Debian's id3v2 (id3lib): what it writes we read byte
// for byte, and what we write it reads with the same fields.
#include "Mp3TestFiles.h"

#include "mp3/core/MassTagRun.h"
#include "mp3/core/modMP3.h"
#include "support/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace ardl;
using test::AudioBody;
using test::MakeTag;
using test::TagBytes;

namespace {

class Id3v2InteropTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        tool = QStandardPaths::findExecutable(QStringLiteral("id3v2"));
        ASSERT_FALSE(tool.isEmpty()) << "id3v2 is missing: the Makefile installs it (apt-get install id3v2)";
    }

    QByteArray run(const QStringList &args)
    {
        QProcess p;
        p.start(tool, args);
        EXPECT_TRUE(p.waitForFinished(30000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return p.readAllStandardOutput();
    }

    // The fields `id3v2 -l` shows, each trimmed, texts as single bytes.
    QMap<QString, QString> listed(const QString &file)
    {
        const QString out = QString::fromLatin1(run({QStringLiteral("-l"), file}));
        const QRegularExpression line(QStringLiteral(
            "Title  : (.{30}) +Artist: (.*)\\nAlbum  : (.{30}) +Year: (.{0,4}), Genre: .*\\((\\d+)\\)\\n"
            "Comment: (.{30})"));
        const QRegularExpressionMatch m = line.match(out);
        EXPECT_TRUE(m.hasMatch()) << out.toStdString();
        return {{"title", m.captured(1).trimmed()},  {"artist", m.captured(2).trimmed()},
                {"album", m.captured(3).trimmed()},  {"year", m.captured(4).trimmed()},
                {"genre", m.captured(5)},            {"comment", m.captured(6).trimmed()}};
    }

    QString tool;
};

} // namespace

TEST_F(Id3v2InteropTest, TagsWrittenById3v2AreReadByteForByte)
{
    const QByteArray audio = AudioBody(20000);
    const QString file = writeFile("x.mp3", audio);
    run({"--id3v1-only", "-a", "Blue Lake", "-t", "Morning Song", "-A", "Shore", "-y", "2001", "-c", "fine", "-g",
         "17", "-T", "7", file});
    const QByteArray written = readFile("x.mp3");
    ASSERT_EQ(written.size(), audio.size() + 128);

    ID3Tag tag;
    ASSERT_TRUE(ReadID3Tag(file, tag));
    EXPECT_EQ(TagBytes(tag), written.right(128));
    EXPECT_EQ(FieldText(tag.Artist), QStringLiteral("Blue Lake") + QString(21, QChar(0)));
    EXPECT_EQ(FieldText(tag.Year), QStringLiteral("2001"));
    EXPECT_EQ(tag.Genre, 17);
    // Its track number sits in the comment's last byte, read as part of it.
    EXPECT_EQ(tag.Comment[29], '\7');
}

TEST_F(Id3v2InteropTest, TagsWeWriteAreReadById3v2WithTheSameFields)
{
    const QString file = writeFile("ours.mp3", AudioBody(20000) + TagBytes(MakeTag("old", "old")));
    ID3Tag tag = MakeTag(QStringLiteral("Caf\u00e9 au lait"), "AC/DC", "Highway", "1979", "no track", 79);
    ASSERT_TRUE(WriteID3Tag(file, tag));
    const QMap<QString, QString> fields = listed(file);
    EXPECT_EQ(fields["title"], QStringLiteral("Caf\u00e9 au lait"));
    EXPECT_EQ(fields["artist"], QStringLiteral("AC/DC"));
    EXPECT_EQ(fields["album"], QStringLiteral("Highway"));
    EXPECT_EQ(fields["year"], QStringLiteral("1979"));
    EXPECT_EQ(fields["genre"], QStringLiteral("79"));
    EXPECT_EQ(fields["comment"], QStringLiteral("no track"));
}

TEST_F(Id3v2InteropTest, MassTaggingGivesTheFieldsId3v2Gives)
{
    const QByteArray audio = AudioBody(10000);
    const QString ours = writeFile("ours.mp3", audio);
    const QString theirs = writeFile("theirs.mp3", audio);
    for (const QString &file : {ours, theirs})
        run({"--id3v1-only", "-a", "Before", "-t", "Title", "-y", "1990", "-g", "5", file});

    MassTagOptions o;
    o.Artist = "After";
    ASSERT_EQ(RunMassTag({{path() + u'/', "ours.mp3"}}, o)[0].outcome, Mp3Outcome::Ok);
    run({"--id3v1-only", "-a", "After", theirs});
    EXPECT_EQ(listed(ours), listed(theirs));
    EXPECT_EQ(readFile("ours.mp3").left(audio.size()), audio);
}
