#include "SplitPage.h"

#include <QComboBox>

namespace ardl {

SplitPage::SplitPage(QWidget *parent)
    : QWidget(parent)
    , txtDstFile(new QComboBox(this))
{
    setObjectName(QStringLiteral("picSplit"));
    txtDstFile->setObjectName(QStringLiteral("txtDstFile"));
    txtDstFile->setEditable(true);
}

void SplitPage::LoadCaptions()
{
}

void SplitPage::SetDefaults()
{
}

} // namespace ardl
