#include "frmDeleteZip.h"

#include "ZipFilesFrame.h"
#include "ZipRecords.h"

#include "common/core/StringTable.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardl {

frmDeleteZip::frmDeleteZip(QWidget *parent)
    : QDialog(parent)
    , fraFiles(new ZipFilesFrame(this))
    , cmdDelete(new QPushButton(this))
    , cmdCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmDeleteZip"));
    cmdDelete->setObjectName(QStringLiteral("cmdDelete"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(fraFiles);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdDelete);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmDeleteZip::Form_Load()
{
    DeleteConfirmed = false;
    setWindowTitle(LoadResString(300));
    fraFiles->LoadCaptions();
    cmdDelete->setText(LoadResString(108));
    cmdCancel->setText(LoadResString(104));
    // Selected rows are what the user means to delete; every entry is offered
    // first only when no row is selected.
    fraFiles->SetChoice(ExtractParam.NoSelection ? 1 : 0, ExtractParam.NoSelection);
}

void frmDeleteZip::cmdDelete_Click()
{
    ExtractParam.WhichFiles = fraFiles->Choice();
    if (ExtractParam.WhichFiles == 2)
        ExtractParam.FileSpec = fraFiles->txtFiles->text();
    DeleteConfirmed = true;
    accept();
}

void frmDeleteZip::cmdCancel_Click()
{
    DeleteConfirmed = false;
    reject();
}

} // namespace ardl
