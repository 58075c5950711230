#include "UndoPage.h"

#include "common/core/StringTable.h"
#include "common/ui/ListView.h"

#include <QComboBox>
#include <QHeaderView>

namespace ardl {

UndoPage::UndoPage(QWidget *parent)
    : QWidget(parent)
    , cboLogFile(new QComboBox(this))
    , LVUndo(new ListView(this))
{
    setObjectName(QStringLiteral("picUndo"));
    cboLogFile->setObjectName(QStringLiteral("cboLogFile"));
    cboLogFile->setEditable(true);
    LVUndo->setObjectName(QStringLiteral("LVUndo"));
    LVUndo->setColumns(QList<ListColumn>(2));
}

void UndoPage::LoadCaptions()
{
}

void UndoPage::SetListColumns()
{
    LVUndo->setColumns({{LoadResString(181)}, {LoadResString(182)}});
    const int half = LVUndo->width() / 2;
    LVUndo->header()->resizeSection(0, half);
    LVUndo->header()->resizeSection(1, half);
}

} // namespace ardl
