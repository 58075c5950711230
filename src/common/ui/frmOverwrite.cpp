#include "frmOverwrite.h"

#include "common/core/Prompter.h"
#include "common/core/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardl {

frmOverwrite::frmOverwrite(const QString &message, QWidget *parent)
    : QDialog(parent)
    , lblText(new QLabel(message))
    , cmdYes(new QPushButton)
    , cmdNo(new QPushButton)
    , cmdALL(new QPushButton)
    , cmdCancel(new QPushButton)
{
    setObjectName(QStringLiteral("frmOverwrite"));
    lblText->setObjectName(QStringLiteral("lblText"));
    lblText->setWordWrap(true);
    lblText->setTextFormat(Qt::PlainText);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdALL->setObjectName(QStringLiteral("cmdALL"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {cmdYes, cmdNo, cmdALL, cmdCancel})
        buttons->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblText);
    layout->addLayout(buttons);

    connect(cmdYes, &QPushButton::clicked, this, [this] { answerWith(OverwriteYes); });
    connect(cmdNo, &QPushButton::clicked, this, [this] { answerWith(OverwriteNo); });
    connect(cmdALL, &QPushButton::clicked, this, [this] { answerWith(OverwriteAll); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { answerWith(OverwriteCancel); });
    Form_Load();
}

void frmOverwrite::Form_Load()
{
    setWindowTitle(LoadResString(211));
    cmdYes->setText(LoadResString(208));
    cmdNo->setText(LoadResString(209));
    cmdALL->setText(LoadResString(210));
    cmdCancel->setText(LoadResString(104));
    // Enter keeps the existing file: replacing it takes a deliberate Yes or All.
    cmdNo->setDefault(true);
}

void frmOverwrite::answerWith(int answer)
{
    m_answer = answer;
    accept();
}

} // namespace ardl
