#include "SyncPage.h"

#include "common/core/modGlobal.h"
#include "platform/settings/RecentList.h"
#include "common/core/StringTable.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"
#include "platform/settings/modRegistry.h"

#include <QComboBox>
#include <QLineEdit>

namespace ardl {

namespace {

const QString &syncKey()
{
    static const QString key = ProgramKey + QStringLiteral("Sync");
    return key;
}

constexpr int RecentLeftCount = 10;
constexpr int RecentFilterCount = 5;

// A stored "Sync\RootLeft" entry (kind|root|...) as its ListRecent line
// (root|kind|...): seven fields for an FTP site, two for a folder or file.
QString listRecentLine(const QString &entry)
{
    const QString sep = QStringLiteral("|");
    const QString kind = sListPos(entry, sep, 1);
    QString line = sListPos(entry, sep, 2) + sep + kind;
    if (kind == QLatin1String("Ftp")) {
        for (int field = 3; field <= 7; ++field)
            line += sep + sListPos(entry, sep, field);
    }
    return line;
}

} // namespace

SyncPage::SyncPage(QWidget *parent)
    : QWidget(parent)
    , cboDirFile(new QComboBox(this))
    , txtRootLeft(new QComboBox(this))
    , txtRootRight(new QLineEdit(this))
    , cboFilter(new QComboBox(this))
    , LVSync(new ListView(this))
{
    setObjectName(QStringLiteral("picSync"));
    cboDirFile->setObjectName(QStringLiteral("cboDirFile"));
    txtRootLeft->setObjectName(QStringLiteral("txtRootLeft"));
    txtRootLeft->setEditable(true);
    txtRootRight->setObjectName(QStringLiteral("txtRootRight"));
    cboFilter->setObjectName(QStringLiteral("cboFilter"));
    cboFilter->setEditable(true);
    cboFilter->setEditText(QStringLiteral("*.*"));
    LVSync->setObjectName(QStringLiteral("LVSync"));
    LVSync->setColumns(QList<ListColumn>(7));
}

void SyncPage::FillKinds()
{
    cboDirFile->addItems({QStringLiteral("Dir"), QStringLiteral("File"), QStringLiteral("Ftp")});
}

void SyncPage::LoadCaptions()
{
    LVSync->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(195), QStringLiteral("DATE"), Qt::AlignRight},
        {QString(), QString(), Qt::AlignHCenter},
        {LoadResString(195), QStringLiteral("DATE"), Qt::AlignRight},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(140), QString(), Qt::AlignLeft},
    });
}

void SyncPage::LoadSettings()
{
    const QString kind = QueryValue(syncKey(), QStringLiteral("DirFile")).toString();
    const int kindIndex = cboDirFile->findText(kind);
    if (kind.isEmpty() || kindIndex < 0) {
        CreateNewKey(syncKey());
        cboDirFile->setCurrentIndex(0);
    } else {
        cboDirFile->setCurrentIndex(kindIndex);
    }

    const QString right = QueryValue(syncKey(), QStringLiteral("RootRight")).toString();
    if (right.isEmpty())
        CreateNewKey(syncKey());
    else
        txtRootRight->setText(right);

    Loading = true;
    for (const QString &entry : RecentListEntries(QStringLiteral("Sync\\RootLeft"), RecentLeftCount)) {
        txtRootLeft->addItem(sListPos(entry, QStringLiteral("|"), 2));
        ListRecent << listRecentLine(entry);
    }
    Loading = false;
    if (txtRootLeft->count() > 0)
        txtRootLeft->setCurrentIndex(0);
}

void SyncPage::LoadFilterList()
{
    LoadRecentList(cboFilter, QStringLiteral("Sync\\Filter"), RecentFilterCount);
}

void SyncPage::SaveSettings()
{
    CreateNewKey(syncKey());
    SetKeyValue(syncKey(), QStringLiteral("DirFile"), cboDirFile->currentText(), REG_SZ);
    if (!txtRootLeft->currentText().isEmpty())
        SetKeyValue(syncKey(), QStringLiteral("RootLeft"), txtRootLeft->currentText(), REG_SZ);
    if (!txtRootRight->text().isEmpty())
        SetKeyValue(syncKey(), QStringLiteral("RootRight"), txtRootRight->text(), REG_SZ);
}

} // namespace ardl
