// The rule groups of the Rename page and the handlers that keep the page's
// RenameOptions in step with them.
#include "RenamePage.h"

#include "common/units/Twips.h"
#include "common/ui/ControlLibrary.h"
#include "common/ui/LateBound.h"
#include "common/ui/WidgetNames.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QCoreApplication>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace ardl {

namespace {

constexpr int GroupSpacing = 2;

QRadioButton *option(QWidget *parent, const char *name)
{
    return named(new QRadioButton(parent), name);
}

QLineEdit *disabledBox(QWidget *parent, const char *name)
{
    QLineEdit *box = named(new QLineEdit(parent), name);
    box->setEnabled(false);
    return box;
}

void tighten(QLayout *layout)
{
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(GroupSpacing);
}

// The width a spinner needs to show `digits` whole in its text box, beside
// its spin and slide buttons, in the font it has.
int spinnerWidthFor(QWidget *spinner, const QString &digits)
{
    auto *text = spinner->findChild<QLineEdit *>(QStringLiteral("txtUpDown"));
    if (!text)
        return spinner->minimumWidth();
    // A control not yet shown has not placed its parts: let it do so now.
    QResizeEvent placed(spinner->size(), spinner->size());
    QCoreApplication::sendEvent(spinner, &placed);
    const int buttons = spinner->width() - text->width();
    QStyleOptionFrame frame;
    frame.initFrom(text);
    frame.lineWidth = text->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, text);
    frame.state |= QStyle::State_Sunken;
    const QMargins margins = text->textMargins();
    // QLineEdit keeps 2 pixels free on either side of its text, and 1 for the cursor.
    const QSize inside(text->fontMetrics().horizontalAdvance(digits) + 2 * 2 + 1 + margins.left() + margins.right(),
                       text->fontMetrics().height());
    return text->style()->sizeFromContents(QStyle::CT_LineEdit, &frame, inside, text).width() + buttons;
}

} // namespace

void RenamePage::createRuleControls()
{
    picRen = named(new QWidget(this), "picRen");
    auto *rules = new QHBoxLayout;
    tighten(rules);
    rules->addWidget(createNameGroup(), 3);
    rules->addWidget(createNumberGroup(), 3);
    rules->addWidget(createExtensionGroup(), 2);
    rules->addWidget(createCaseGroup(), 2);

    auto *panel = new QVBoxLayout(picRen);
    tighten(panel);
    // A strip of the panel itself stays free along the page's edges.
    const int edge = TwipsToPixels(240);
    panel->setContentsMargins(4, 2, edge, edge);
    panel->addLayout(rules);
    panel->addWidget(createSubstitutionRow());
}

QWidget *RenamePage::createNameGroup()
{
    fraChangeFileName = named(new QGroupBox(picRen), "fraChangeFileName");
    opt1None = option(fraChangeFileName, "opt1None");
    opt1Remove = option(fraChangeFileName, "opt1Remove");
    opt1Replace = option(fraChangeFileName, "opt1Replace");
    opt1Insert = option(fraChangeFileName, "opt1Insert");
    opt1DirName = option(fraChangeFileName, "opt1DirName");
    txt1Replace = disabledBox(fraChangeFileName, "txt1Replace");
    txt1Before = disabledBox(fraChangeFileName, "txt1Before");
    lblAfter = named(new QLabel(fraChangeFileName), "lblAfter");
    txt1After = disabledBox(fraChangeFileName, "txt1After");
    opt1None->setChecked(true);

    // The two short choices share a row and the long one has a row of its
    // own, so the text boxes beside the others keep their room in a narrow
    // window.
    auto *grid = new QGridLayout(fraChangeFileName);
    tighten(grid);
    grid->addWidget(opt1None, 0, 0);
    grid->addWidget(opt1Remove, 0, 1);
    grid->addWidget(opt1DirName, 1, 0, 1, 2);
    grid->addWidget(opt1Replace, 2, 0);
    grid->addWidget(txt1Replace, 2, 1);
    grid->addWidget(opt1Insert, 3, 0);
    grid->addWidget(txt1Before, 3, 1);
    grid->addWidget(lblAfter, 4, 0, Qt::AlignRight);
    grid->addWidget(txt1After, 4, 1);
    return fraChangeFileName;
}

QWidget *RenamePage::createSpinner(const char *name, int min, int max, QWidget *parent)
{
    QWidget *spinner = CreateControl(QStringLiteral("Vostrane.UpDownSlide"), parent);
    if (!spinner)
        spinner = new QWidget(parent);   // the failure has been reported
    spinner->setObjectName(QLatin1String(name));
    SetProp(spinner, "Min", min);
    SetProp(spinner, "Max", max);
    SetProp(spinner, "Value", min);
    spinner->setMinimumWidth(spinnerWidthFor(spinner, QStringLiteral("0000")));
    return spinner;
}

QWidget *RenamePage::createNumberGroup()
{
    fraNumber = named(new QGroupBox(picRen), "fraNumber");
    opt2None = option(fraNumber, "opt2None");
    opt2Before = option(fraNumber, "opt2Before");
    opt2After = option(fraNumber, "opt2After");
    opt2None->setChecked(true);
    fraOpt2 = named(new QGroupBox(fraNumber), "fraOpt2");
    fraOpt2->setEnabled(false);
    lblStart = named(new QLabel(fraOpt2), "lblStart");
    lblIncrement = named(new QLabel(fraOpt2), "lblIncrement");
    lblZeroFill = named(new QLabel(fraOpt2), "lblZeroFill");
    UDSStart = createSpinner("UDSStart", 0, 100, fraOpt2);
    UDSIncrement = createSpinner("UDSIncrement", 1, 10, fraOpt2);
    UDSZeroFill = createSpinner("UDSZeroFill", 0, 10, fraOpt2);
    chkInitDir = named(new QCheckBox(fraOpt2), "chkInitDir");

    auto *options = new QGridLayout(fraOpt2);
    tighten(options);
    options->setHorizontalSpacing(TwipsToPixels(120));   // keeps the three labels apart
    QLabel *labels[] = {lblStart, lblIncrement, lblZeroFill};
    QWidget *spinners[] = {UDSStart, UDSIncrement, UDSZeroFill};
    for (int i = 0; i < 3; ++i) {
        options->addWidget(labels[i], 0, i);
        options->addWidget(spinners[i], 1, i);
    }
    options->addWidget(chkInitDir, 2, 0, 1, 3);

    auto *modes = new QHBoxLayout;
    modes->addWidget(opt2None);
    modes->addWidget(opt2Before);
    modes->addWidget(opt2After);
    auto *column = new QVBoxLayout(fraNumber);
    tighten(column);
    column->addLayout(modes);
    column->addWidget(fraOpt2);
    return fraNumber;
}

QWidget *RenamePage::createExtensionGroup()
{
    fraExtention = named(new QGroupBox(picRen), "fraExtention");
    opt3None = option(fraExtention, "opt3None");
    opt3Remove = option(fraExtention, "opt3Remove");
    opt3Fixed = option(fraExtention, "opt3Fixed");
    txt3Fixed = disabledBox(fraExtention, "txt3Fixed");
    opt3None->setChecked(true);
    auto *column = new QVBoxLayout(fraExtention);
    tighten(column);
    for (QWidget *w : {static_cast<QWidget *>(opt3None), static_cast<QWidget *>(opt3Remove),
                       static_cast<QWidget *>(opt3Fixed), static_cast<QWidget *>(txt3Fixed)})
        column->addWidget(w);
    column->addStretch();
    return fraExtention;
}

QWidget *RenamePage::createCaseGroup()
{
    fraCase = named(new QGroupBox(picRen), "fraCase");
    opt4None = option(fraCase, "opt4None");
    opt4First = option(fraCase, "opt4First");
    opt4Lower = option(fraCase, "opt4Lower");
    opt4Upper = option(fraCase, "opt4Upper");
    opt4None->setChecked(true);
    auto *column = new QVBoxLayout(fraCase);
    tighten(column);
    for (QRadioButton *w : {opt4None, opt4First, opt4Lower, opt4Upper})
        column->addWidget(w);
    column->addStretch();
    return fraCase;
}

// The substitution frame, widening with the page, then the log and Apply
// at the right edge.
QWidget *RenamePage::createSubstitutionRow()
{
    auto *row = new QWidget(picRen);
    fraSub = named(new QGroupBox(row), "fraSub");
    chkSub = named(new QCheckBox(fraSub), "chkSub");
    lbl4Replace = named(new QLabel(fraSub), "lbl4Replace");
    txt4Replace = disabledBox(fraSub, "txt4Replace");
    lbl4With = named(new QLabel(fraSub), "lbl4With");
    txt4With = disabledBox(fraSub, "txt4With");
    chkMatchCase = named(new QCheckBox(fraSub), "chkMatchCase");
    for (QWidget *w : {static_cast<QWidget *>(lbl4Replace), static_cast<QWidget *>(lbl4With),
                       static_cast<QWidget *>(chkMatchCase)})
        w->setEnabled(false);
    auto *sub = new QHBoxLayout(fraSub);
    tighten(sub);
    sub->addWidget(chkSub);
    sub->addWidget(lbl4Replace);
    sub->addWidget(txt4Replace, 1);
    sub->addWidget(lbl4With);
    sub->addWidget(txt4With, 1);
    sub->addWidget(chkMatchCase);

    chkLog = named(new QCheckBox(row), "chkLog");
    txtLog = disabledBox(row, "txtLog");
    cmdBrowse = named(new QPushButton(row), "cmdBrowse");
    cmdBrowse->setEnabled(false);
    cmdBrowse->setFixedWidth(TwipsToPixels(375));
    cmdApply = named(new QPushButton(row), "cmdApply");
    cmdApply->setEnabled(false);
    cmdApply->setFixedSize(TwipsToPixels(1200), TwipsToPixels(375));

    auto *logLine = new QHBoxLayout;
    logLine->setSpacing(TwipsToPixels(120));
    logLine->addWidget(txtLog, 1);
    logLine->addWidget(cmdBrowse);
    auto *log = new QVBoxLayout;
    log->setSpacing(GroupSpacing);
    log->addWidget(chkLog);
    log->addLayout(logLine);

    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(TwipsToPixels(120));
    layout->addWidget(fraSub, 3);
    layout->addLayout(log, 1);
    layout->addWidget(cmdApply, 0, Qt::AlignBottom);
    return row;
}

void RenamePage::connectRuleHandlers()
{
    const std::pair<QRadioButton *, std::function<void()>> options[] = {
        {opt1None, [this] { setNameMode(ModeNone); }},
        {opt1Remove, [this] { setNameMode(ModeRemove); }},
        {opt1Replace, [this] { setNameMode(ModeReplace); }},
        {opt1DirName, [this] { setNameMode(ModeFolderName); }},
        {opt1Insert, [this] { setNameMode(ModeInsert); }},
        {opt2None, [this] { setNumberMode(ModeNone); }},
        {opt2Before, [this] { setNumberMode(ModeNumberBefore); }},
        {opt2After, [this] { setNumberMode(ModeNumberAfter); }},
        {opt3None, [this] { setExtMode(ModeNone); }},
        {opt3Remove, [this] { setExtMode(ModeRemove); }},
        {opt3Fixed, [this] { setExtMode(ModeFixed); }},
        {opt4None, [this] { setCaseMode(ModeNone); }},
        {opt4Upper, [this] { setCaseMode(ModeUpper); }},
        {opt4Lower, [this] { setCaseMode(ModeLower); }},
        {opt4First, [this] { setCaseMode(ModeCapitalize); }},
    };
    for (const auto &[button, handler] : options)
        connect(button, &QRadioButton::clicked, this, handler);

    const std::pair<QLineEdit *, QString RenameOptions::*> texts[] = {
        {txt1Replace, &RenameOptions::NewName},   {txt1Before, &RenameOptions::Prefix},
        {txt1After, &RenameOptions::Suffix},      {txt3Fixed, &RenameOptions::NewExt},
        {txt4Replace, &RenameOptions::FindText},  {txt4With, &RenameOptions::ReplaceText},
    };
    for (const auto &[box, field] : texts) {
        connect(box, &QLineEdit::textChanged, this, [this, field = field](const QString &text) {
            Options.*field = text;
            previewIsOutOfDate();
        });
    }

    connect(chkSub, &QCheckBox::clicked, this, [this] { chkSub_Click(); });
    connect(chkMatchCase, &QCheckBox::clicked, this, [this] {
        Options.MatchCase = chkMatchCase->isChecked();
        previewIsOutOfDate();
    });
    connect(chkInitDir, &QCheckBox::clicked, this, [this] {
        Options.InitPerFolder = chkInitDir->isChecked();
        previewIsOutOfDate();
    });
}

void RenamePage::setNameMode(int16_t mode)
{
    Options.NameMode = mode;
    txt1Replace->setEnabled(mode == ModeReplace);
    txt1Before->setEnabled(mode == ModeInsert);
    txt1After->setEnabled(mode == ModeInsert);
    previewIsOutOfDate();
}

void RenamePage::setNumberMode(int16_t mode)
{
    Options.NumberMode = mode;
    fraOpt2->setEnabled(mode != ModeNone);
    previewIsOutOfDate();
}

void RenamePage::setExtMode(int16_t mode)
{
    Options.ExtMode = mode;
    txt3Fixed->setEnabled(mode == ModeFixed);
    previewIsOutOfDate();
}

void RenamePage::setCaseMode(int16_t mode)
{
    Options.CaseMode = mode;
    previewIsOutOfDate();
}

void RenamePage::chkSub_Click()
{
    Options.Substitute = chkSub->isChecked();
    for (QWidget *w : {static_cast<QWidget *>(lbl4Replace), static_cast<QWidget *>(lbl4With),
                       static_cast<QWidget *>(txt4Replace), static_cast<QWidget *>(txt4With),
                       static_cast<QWidget *>(chkMatchCase)})
        w->setEnabled(Options.Substitute);
    previewIsOutOfDate();
}

} // namespace ardl
