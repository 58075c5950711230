#include "rename/core/RenamePreview.h"
#include "rename/core/RenameRules.h"
#include "support/TestSupport.h"

#include <climits>

using namespace ardl;

namespace {

std::vector<RenameItem> items(const QString &folder, const QStringList &fileNames)
{
    std::vector<RenameItem> out;
    for (const QString &name : fileNames)
        out.push_back(ItemFromPath(folder + name));
    return out;
}

QStringList fileNames(const std::vector<RenameItem> &list)
{
    QStringList out;
    for (const RenameItem &item : list)
        out << item.FileName();
    return out;
}

QString renamed(const QString &fullName, const RenameOptions &rules)
{
    RenameOptions o = rules;
    RenameItem item = ItemFromPath(fullName);
    ApplyRenameRules(item, o);
    return item.FullName();
}

} // namespace

TEST(RenameRules, RemovedNameWithNumberingGivesZeroFilledNumbers)
{
    RenameOptions o;
    o.NameMode = ModeRemove;
    o.NumberMode = ModeNumberBefore;
    o.StartNumber = 5;
    o.Increment = 1;
    o.ZeroFill = 2;
    const auto files = items(QStringLiteral("/w/"), {"x.txt", "y.txt", "z.jpg"});
    EXPECT_EQ(fileNames(ApplyRulesToList(files, o)), QStringList({"05.txt", "06.txt", "07.jpg"}));

    o.ExtMode = ModeRemove;
    EXPECT_EQ(fileNames(ApplyRulesToList(files, o)), QStringList({"05", "06", "07"}));

    RenameOptions removeOnly;
    removeOnly.NameMode = ModeRemove;
    EXPECT_EQ(renamed(QStringLiteral("/w/notes.txt"), removeOnly), QStringLiteral("/w/.txt"));
}

TEST(RenameRules, NumbersArePaddedButNeverCut)
{
    EXPECT_EQ(NumberText(1234, 3), QStringLiteral("1234"));
    EXPECT_EQ(NumberText(7, 3), QStringLiteral("007"));
    EXPECT_EQ(NumberText(7, 0), QStringLiteral("7"));

    RenameOptions o;
    o.NumberMode = ModeNumberAfter;
    o.Increment = 10;
    EXPECT_EQ(fileNames(ApplyRulesToList(items(QStringLiteral("/w/"), {"a", "b", "c"}), o)),
              QStringList({"a0", "b10", "c20"}));

    // Past the 32-bit range the counter wraps rather than overflowing.
    o.Counter = INT32_MAX;
    RenameItem item = ItemFromPath(QStringLiteral("/w/a"));
    ApplyRenameRules(item, o);
    ApplyRenameRules(item, o);
    EXPECT_EQ(o.Counter, int32_t(INT32_MIN + 19));
}

TEST(RenameRules, NameRules)
{
    RenameOptions o;
    o.NameMode = ModeFolderName;
    EXPECT_EQ(renamed(QStringLiteral("/work/docs/a.txt"), o), QStringLiteral("/work/docs/docs.txt"));
    o.NameMode = ModeReplace;
    o.NewName = QStringLiteral("new");
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/new.txt"));
    o.NameMode = ModeInsert;
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/a.txt"));
    o.Prefix = QStringLiteral("pre-");
    o.Suffix = QStringLiteral("-post");
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/pre-a-post.txt"));
    o.NameMode = ModeNone; // a mode that does not use a value ignores it
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/a.txt"));
}

TEST(RenameRules, ExtensionAndCaseRules)
{
    RenameOptions o;
    o.ExtMode = ModeFixed;
    o.NewExt = QStringLiteral("md");
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/a.md"));

    RenameOptions c;
    c.CaseMode = ModeCapitalize;
    EXPECT_EQ(renamed(QStringLiteral("/w/my FILE name.TXT"), c), QStringLiteral("/w/My file name.Txt"));
    EXPECT_EQ(renamed(QStringLiteral("/w/x.c"), c), QStringLiteral("/w/X.C"));
    EXPECT_EQ(renamed(QStringLiteral("/w/éTÉ"), c), QStringLiteral("/w/Été"));
    EXPECT_EQ(CapitalizeFirst(QString()), QString());
    c.CaseMode = ModeUpper;
    EXPECT_EQ(renamed(QStringLiteral("/w/Ab.txt"), c), QStringLiteral("/w/AB.TXT"));
    c.CaseMode = ModeLower;
    EXPECT_EQ(renamed(QStringLiteral("/w/Ab.TXT"), c), QStringLiteral("/w/ab.txt"));
}

TEST(RenameRules, SubstitutionReplacesTheFirstMatchOfTheNameOnly)
{
    RenameOptions o;
    o.Substitute = true;
    o.FindText = QStringLiteral("abc");
    o.ReplaceText = QStringLiteral("Z");
    EXPECT_EQ(renamed(QStringLiteral("/w/abcabc"), o), QStringLiteral("/w/Zabc"));
    o.MatchCase = true;
    EXPECT_EQ(renamed(QStringLiteral("/w/abcabc"), o), QStringLiteral("/w/Zabc"));

    o.FindText = QStringLiteral("ABC");
    EXPECT_EQ(renamed(QStringLiteral("/w/xabcxabc"), o), QStringLiteral("/w/xabcxabc"));
    o.MatchCase = false;
    EXPECT_EQ(renamed(QStringLiteral("/w/xabcxabc"), o), QStringLiteral("/w/xZxabc"));

    o.FindText = QStringLiteral("txt"); // the extension is never searched
    EXPECT_EQ(renamed(QStringLiteral("/w/notes.txt"), o), QStringLiteral("/w/notes.txt"));
    o.FindText.clear();
    EXPECT_EQ(renamed(QStringLiteral("/w/notes.txt"), o), QStringLiteral("/w/Znotes.txt"));
}

TEST(RenameRules, SubstitutionSeesTheNameAfterNumberingAndCase)
{
    RenameOptions o;
    o.NumberMode = ModeNumberAfter;
    o.ZeroFill = 2;
    o.CaseMode = ModeUpper;
    o.Substitute = true;
    o.MatchCase = true;
    o.FindText = QStringLiteral("a0");
    o.ReplaceText = QStringLiteral("_");
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/A00.TXT"));
    o.FindText = QStringLiteral("A0");
    EXPECT_EQ(renamed(QStringLiteral("/w/a.txt"), o), QStringLiteral("/w/_0.TXT"));
}

TEST(RenameRules, NumberingRestartsAtEveryChangeOfFolderWhenAsked)
{
    RenameOptions o;
    o.NumberMode = ModeNumberBefore;
    o.StartNumber = 1;
    o.Increment = 1;
    const std::vector<RenameItem> files = {ItemFromPath("/a/x"), ItemFromPath("/a/y"), ItemFromPath("/b/x"),
                                           ItemFromPath("/a/z")};
    EXPECT_EQ(fileNames(ApplyRulesToList(files, o)), QStringList({"1x", "2y", "3x", "4z"}));
    o.InitPerFolder = true;
    EXPECT_EQ(fileNames(ApplyRulesToList(files, o)), QStringList({"1x", "2y", "1x", "1z"}));
    // A second run starts over: the same numbers again.
    EXPECT_EQ(fileNames(ApplyRulesToList(files, o)), QStringList({"1x", "2y", "1x", "1z"}));
}
