#include "ZipFilesFrame.h"

#include "common/core/StringTable.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>

namespace ardl {

ZipFilesFrame::ZipFilesFrame(QWidget *parent)
    : QGroupBox(parent)
    , optSelectFiles(new QRadioButton(this))
    , optAllFiles(new QRadioButton(this))
    , optFiles(new QRadioButton(this))
    , txtFiles(new QLineEdit(this))
{
    setObjectName(QStringLiteral("fraFiles"));
    optSelectFiles->setObjectName(QStringLiteral("optSelectFiles"));
    optAllFiles->setObjectName(QStringLiteral("optAllFiles"));
    optFiles->setObjectName(QStringLiteral("optFiles"));
    txtFiles->setObjectName(QStringLiteral("txtFiles"));
    // Options in one group, so that "none chosen" can be shown too.
    auto *group = new QButtonGroup(this);
    for (QRadioButton *option : {optSelectFiles, optAllFiles, optFiles}) {
        group->addButton(option);
        connect(option, &QRadioButton::toggled, this, [this] { updateFileBox(); });
    }
    auto *layout = new QGridLayout(this);
    layout->addWidget(optSelectFiles, 0, 0, 1, 2);
    layout->addWidget(optAllFiles, 1, 0, 1, 2);
    layout->addWidget(optFiles, 2, 0);
    layout->addWidget(txtFiles, 2, 1);
    layout->setColumnStretch(1, 1);
    updateFileBox();
}

void ZipFilesFrame::LoadCaptions()
{
    setTitle(LoadResString(140));
    optSelectFiles->setText(LoadResString(288));
    optAllFiles->setText(LoadResString(289));
    optFiles->setText(LoadResString(140));
}

void ZipFilesFrame::SetChoice(int whichFiles, bool noSelection)
{
    QRadioButton *options[] = {optSelectFiles, optAllFiles, optFiles};
    if (whichFiles >= 0 && whichFiles <= 2)
        options[whichFiles]->setChecked(true);
    optSelectFiles->setEnabled(!noSelection);
    updateFileBox();
}

int ZipFilesFrame::Choice() const
{
    if (optSelectFiles->isChecked())
        return 0;
    if (optAllFiles->isChecked())
        return 1;
    return optFiles->isChecked() ? 2 : -1;
}

void ZipFilesFrame::updateFileBox()
{
    txtFiles->setEnabled(optFiles->isChecked());
}

} // namespace ardl
