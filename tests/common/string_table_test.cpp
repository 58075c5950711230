#include "common/core/StringTable.h"

#include <QString>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Entry {
    int id;
    QString expected;
};

void expectTexts(const std::vector<Entry>& entries)
{
    for (const Entry& e : entries) {
        EXPECT_TRUE(ardl::HasResString(e.id)) << "id " << e.id;
        EXPECT_EQ(ardl::LoadResString(e.id).toStdString(), e.expected.toStdString()) << "id " << e.id;
    }
}

} // namespace

// Captions, hover texts and messages are used verbatim: access-key markers,
// "%s" placeholders, spelling and the spacing before punctuation all count.
TEST(StringTable, InterfaceTextsAreExact)
{
    expectTexts({
        {101, QStringLiteral("Error")},
        {103, QStringLiteral("&Ok")},
        {104, QStringLiteral("&Cancel")},
        {111, QStringLiteral("Appl&y")},
        {122, QStringLiteral("Extention")},
        {126, QStringLiteral("&Init for each directory")},
        {140, QStringLiteral("Files")},
        {141, QStringLiteral("Pre&view")},
        {165, QStringLiteral("Destination Folder")},
        {170, QStringLiteral("Log File for UndoRename :")},
        {171, QStringLiteral("You must click Preview button before click Apply button, for check error")},
        {174, QStringLiteral("There are %s errors, Click Yes for continu, No for Stop")},
        {180, QStringLiteral("Continu with the others files")},
        {187, QStringLiteral("File %s not exist")},
        {193, QStringLiteral("S&ynchronize")},
        {204, QStringLiteral("File %s allready exist, overwrite it ?")},
        {211, QStringLiteral("Overwrite files ?")},
        {213, QStringLiteral("Press F1 for Help")},
        {214, QStringLiteral("%s Files Added")},
        {217, QStringLiteral("Preview : %s Errors")},
        {219, QStringLiteral("Allow to Rename files")},
        {234, QStringLiteral("Allow to Select Destination Directory of Splited Files")},
        {245, QStringLiteral("Remote Directory : %s don't exist")},
        {249, QStringLiteral("Synchronize File : %s (%s/%s)")},
        {250, QStringLiteral("Please Enter The Password !")},
        {251, QStringLiteral("File %s Already exist, overwrite ?")},
        {259, QStringLiteral("Zip File %s Opened with %s Files")},
        {277, QStringLiteral("Store filenames in &8.3 format")},
        {285, QStringLiteral("Include System/&Hidden Files")},
        {292, QStringLiteral("S&kip older Files")},
        {294, QStringLiteral("&Files")},
        {301, QStringLiteral("Ratio (%)")},
        {305, QStringLiteral("ID&3 Tag Editor")},
        {313, QStringLiteral("%1 - Artist")},
        {320, QStringLiteral("Also you can use any text accept for filename. Example : %1 - %2_%3 . %4")},
        {321, QStringLiteral("If file doesn't contain ID3 v1, file wasn't renamed.")},
        {322, QStringLiteral("Ok")},
        {336, QStringLiteral("&Save Tag")},
    });
}

// Genre n lives at 1000 + n; "&" in a genre name is plain text, not an access key.
TEST(StringTable, GenreNamesAreExact)
{
    expectTexts({
        {1000, QStringLiteral("Blues")},
        {1014, QStringLiteral("R&B")},
        {1016, QStringLiteral("Reggea")},
        {1040, QStringLiteral("Alt. Rock")},
        {1078, QStringLiteral("Rock & Roll")},
        {1079, QStringLiteral("Hard Rock")},
        {1080, QStringLiteral("Folk")},
        {1109, QStringLiteral("Porn Grove")},
        {1127, QStringLiteral("Drum & Bass")},
        {1136, QStringLiteral("Christian GanstaRap")},
        {1147, QStringLiteral("Synthpop")},
    });
}

// Some explanations end in a blank; it is part of the text.
TEST(StringTable, InternetErrorTextsAreExact)
{
    expectTexts({
        {12001, QStringLiteral("No more handles could be generated at this time")},
        {12002, QStringLiteral("The request has timed out.")},
        {12003, QStringLiteral("Extended error returned from server.")},
        {12011, QStringLiteral("The request option can not be set, only queried. ")},
        {12014, QStringLiteral("The request to connect and login to an FTP server could not be completed because the supplied password is incorrect. ")},
        {12031, QStringLiteral("The connection with the server has been reset.")},
        {12036, QStringLiteral("The request failed because the handle already exists.")},
        {12037, QStringLiteral("Error details not available.")},
    });
}

TEST(StringTable, EveryInterfaceNumberHasText)
{
    for (int id = 101; id <= 336; ++id) {
        EXPECT_TRUE(ardl::HasResString(id)) << "id " << id;
        EXPECT_FALSE(ardl::LoadResString(id).isEmpty()) << "id " << id;
    }
}

TEST(StringTable, AllGenresPresentAndNoMore)
{
    for (int id = 1000; id <= 1147; ++id) {
        EXPECT_TRUE(ardl::HasResString(id)) << "id " << id;
        EXPECT_FALSE(ardl::LoadResString(id).isEmpty()) << "id " << id;
    }
    EXPECT_FALSE(ardl::HasResString(1148));
}

// 12032 to 12035 have no explanation; every other code of the range has one.
TEST(StringTable, InternetErrorRangeHasItsGap)
{
    for (int id = 12001; id <= 12037; ++id) {
        const bool inGap = id >= 12032 && id <= 12035;
        EXPECT_EQ(ardl::HasResString(id), !inGap) << "id " << id;
        EXPECT_EQ(ardl::LoadResString(id).isEmpty(), inGap) << "id " << id;
    }
}

TEST(StringTable, NumbersOutsideTheTableGiveEmptyText)
{
    for (int id : {-1, 0, 100, 337, 999, 1148, 12000, 12038}) {
        EXPECT_FALSE(ardl::HasResString(id)) << "id " << id;
        EXPECT_TRUE(ardl::LoadResString(id).isEmpty()) << "id " << id;
    }
}
