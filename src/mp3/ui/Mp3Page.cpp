#include "Mp3Page.h"

#include "common/core/StringTable.h"
#include "common/ui/ListView.h"
#include "common/ui/modListView.h"

namespace ardl {

Mp3Page::Mp3Page(QWidget *parent)
    : QWidget(parent)
    , LVMp3File(new ListView(this))
{
    setObjectName(QStringLiteral("picMp3"));
    LVMp3File->setObjectName(QStringLiteral("LVMp3File"));
    LVMp3File->setColumns(QList<ListColumn>(3));
}

void Mp3Page::LoadCaptions()
{
    LVMp3File->setColumns({
        {LoadResString(140), QString(), Qt::AlignLeft},
        {LoadResString(184), QString(), Qt::AlignLeft},
        {LoadResString(185), QString(), Qt::AlignHCenter},
    });
    LoadColumnWidth(LVMp3File, 1, QStringLiteral("Mp3FileSize"));
    LoadColumnWidth(LVMp3File, 2, QStringLiteral("Mp3PathSize"));
    LoadColumnWidth(LVMp3File, 3, QStringLiteral("Mp3StatusSize"));
}

} // namespace ardl
