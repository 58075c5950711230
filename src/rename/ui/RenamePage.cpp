#include "RenamePage.h"

#include "common/core/StringTable.h"
#include "common/ui/ListView.h"

namespace ardl {

RenamePage::RenamePage(QWidget *parent)
    : QWidget(parent)
    , LVFile(new ListView(this))
    , LVPreview(new ListView(this))
{
    setObjectName(QStringLiteral("picRename"));
    LVFile->setObjectName(QStringLiteral("LVFile"));
    LVPreview->setObjectName(QStringLiteral("LVPreview"));
    LVFile->setColumns(QList<ListColumn>(3));
    LVPreview->setColumns(QList<ListColumn>(4));
    LVPreview->hide();
}

void RenamePage::LoadCaptions()
{
}

void RenamePage::SetListHeaders()
{
    LVFile->setColumns({{LoadResString(140)}, {LoadResString(183)}, {LoadResString(184)}});
    LVPreview->setColumns({{LoadResString(140)}, {LoadResString(183)}, {LoadResString(185)},
                           {LoadResString(184)}});
}

} // namespace ardl
