#include "ZipPage.h"

#include "common/core/StringTable.h"
#include "common/ui/ListView.h"

namespace ardl {

ZipPage::ZipPage(QWidget *parent)
    : QWidget(parent)
    , LVZip(new ListView(this))
{
    setObjectName(QStringLiteral("picZip"));
    LVZip->setObjectName(QStringLiteral("LVZip"));
    LVZip->setColumns(QList<ListColumn>(6));
}

void ZipPage::LoadCaptions()
{
    LVZip->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(195), QStringLiteral("DATE"), Qt::AlignLeft},
        {LoadResString(194), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(301), QString(), Qt::AlignHCenter},
        {LoadResString(302), QStringLiteral("NUMBER"), Qt::AlignRight},
        {LoadResString(184), QString(), Qt::AlignLeft},
    });
}

} // namespace ardl
