// The three panels under the Mp3 page's tab strip and their captions.
#include "Mp3Page.h"

#include "common/core/StringTable.h"
#include "common/units/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ardl {

namespace {

constexpr int FieldChars = 30;
// The run buttons stand this far from their panel's right edge (twips).
constexpr int RunButtonFromRight = 1470;
constexpr int RunButtonWidth = 1215;

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QWidget *panel(QWidget *parent, const char *name)
{
    auto *frame = named(new QFrame(parent), name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAutoFillBackground(true);
    return frame;
}

QLineEdit *textBox(QWidget *parent, const char *name, int maxLength = 0)
{
    QLineEdit *box = named(new QLineEdit(parent), name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

QComboBox *genreList(QWidget *parent, const char *name)
{
    QComboBox *list = named(new QComboBox(parent), name);
    list->setEditable(false);
    list->setMaxVisibleItems(20);
    return list;
}

void tighten(QLayout *layout)
{
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(3);
}

// A run button at the bottom right of its panel, as far from the right
// edge as the design puts it.
QHBoxLayout *runButtonRow(QPushButton *button)
{
    button->setFixedWidth(TwipsToPixels(RunButtonWidth));
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(button);
    row->addSpacing(TwipsToPixels(RunButtonFromRight - RunButtonWidth));
    return row;
}

} // namespace

QWidget *Mp3Page::createID3ToFilePanel()
{
    QWidget *p = panel(this, "picID3ToFile");
    optIDToFileDefault = named(new QRadioButton(p), "optIDToFileDefault");
    optIDToFileAdvanced = named(new QRadioButton(p), "optIDToFileAdvanced");
    txtIDToFileAdvanced = textBox(p, "txtIDToFileAdvanced");
    chkIDToFileSpace = named(new QCheckBox(p), "chkIDToFileSpace");
    fraSpace = named(new QGroupBox(p), "fraSpace");
    optIDToFileSpaceReplace = named(new QRadioButton(fraSpace), "optIDToFileSpaceReplace");
    optIDToFileSpaceDelete = named(new QRadioButton(fraSpace), "optIDToFileSpaceDelete");
    txtIDToFileSpaceReplace = textBox(fraSpace, "txtIDToFileSpaceReplace");
    fraIDToFileCase = named(new QGroupBox(p), "fraIDToFileCase");
    optIDToFileCaseCap = named(new QRadioButton(fraIDToFileCase), "optIDToFileCaseCap");
    optIDToFileCaseLower = named(new QRadioButton(fraIDToFileCase), "optIDToFileCaseLower");
    optIDToFileCaseUpper = named(new QRadioButton(fraIDToFileCase), "optIDToFileCaseUpper");
    optIDToFileCaseNone = named(new QRadioButton(fraIDToFileCase), "optIDToFileCaseNone");
    fraIDToFileAdvFormat = named(new QGroupBox(p), "fraIDToFileAdvFormat");
    QLabel **codes[] = {&lbl1, &lbl2, &lbl3, &lbl4, &lbl5, &lbl6, &lbl7};
    for (int i = 0; i < 7; ++i)
        *codes[i] = named(new QLabel(fraIDToFileAdvFormat), qPrintable(QStringLiteral("lbl%1").arg(i + 1)));
    lblIDToFileText1 = named(new QLabel(fraIDToFileAdvFormat), "lblIDToFileText1");
    lblIDToFileText1->setWordWrap(true);
    cmdID3ToFile = named(new QPushButton(p), "cmdID3ToFile");

    optIDToFileDefault->setChecked(true);
    txtIDToFileAdvanced->setEnabled(false);
    optIDToFileSpaceReplace->setChecked(true);
    fraSpace->setEnabled(false);
    txtIDToFileSpaceReplace->setEnabled(false);
    optIDToFileCaseNone->setChecked(true);

    auto *advanced = new QHBoxLayout;
    advanced->addWidget(optIDToFileAdvanced);
    advanced->addWidget(txtIDToFileAdvanced, 1);
    auto *space = new QGridLayout(fraSpace);
    tighten(space);
    space->addWidget(optIDToFileSpaceReplace, 0, 0);
    space->addWidget(txtIDToFileSpaceReplace, 0, 1);
    space->addWidget(optIDToFileSpaceDelete, 1, 0, 1, 2);
    auto *format = new QVBoxLayout;
    format->addWidget(optIDToFileDefault);
    format->addLayout(advanced);
    format->addWidget(chkIDToFileSpace);
    format->addWidget(fraSpace);
    format->addStretch(1);

    auto *cases = new QVBoxLayout(fraIDToFileCase);
    tighten(cases);
    for (QRadioButton *option : {optIDToFileCaseCap, optIDToFileCaseLower, optIDToFileCaseUpper, optIDToFileCaseNone})
        cases->addWidget(option);
    cases->addStretch(1);

    auto *codeGrid = new QGridLayout(fraIDToFileAdvFormat);
    tighten(codeGrid);
    for (int i = 0; i < 7; ++i)
        codeGrid->addWidget(*codes[i], i % 4, i / 4);
    codeGrid->addWidget(lblIDToFileText1, 4, 0, 1, 2);
    codeGrid->setRowStretch(5, 1);

    auto *columns = new QHBoxLayout;
    columns->addLayout(format, 3);
    columns->addWidget(fraIDToFileCase, 1);
    columns->addWidget(fraIDToFileAdvFormat, 3);
    auto *whole = new QVBoxLayout(p);
    tighten(whole);
    whole->addLayout(columns, 1);
    whole->addLayout(runButtonRow(cmdID3ToFile));
    return p;
}

QWidget *Mp3Page::createMassTagPanel()
{
    QWidget *p = panel(this, "picMassID3");
    chkMassID3Title = named(new QCheckBox(p), "chkMassID3Title");
    chkMassID3Artist = named(new QCheckBox(p), "chkMassID3Artist");
    chkMassID3Album = named(new QCheckBox(p), "chkMassID3Album");
    chkMassID3Year = named(new QCheckBox(p), "chkMassID3Year");
    chkMassID3Genre = named(new QCheckBox(p), "chkMassID3Genre");
    chkMassID3Comment = named(new QCheckBox(p), "chkMassID3Comment");
    txtMassID3Title = textBox(p, "txtMassID3Title", FieldChars);
    txtMassID3Artist = textBox(p, "txtMassID3Artist", FieldChars);
    txtMassID3Album = textBox(p, "txtMassID3Album", FieldChars);
    txtMassID3Year = textBox(p, "txtMassID3Year");
    cboMassID3Genre = genreList(p, "cboMassID3Genre");
    txtMassID3Comment = textBox(p, "txtMassID3Comment", FieldChars);
    cmdSaveTags = named(new QPushButton(p), "cmdSaveTags");

    const std::pair<QCheckBox *, QWidget *> rows[] = {
        {chkMassID3Title, txtMassID3Title}, {chkMassID3Artist, txtMassID3Artist},
        {chkMassID3Album, txtMassID3Album}, {chkMassID3Year, txtMassID3Year},
        {chkMassID3Genre, cboMassID3Genre}, {chkMassID3Comment, txtMassID3Comment},
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int i = 0; i < 6; ++i) {
        const auto &[box, input] = rows[i];
        grid->addWidget(box, i % 3, (i / 3) * 2);
        grid->addWidget(input, i % 3, (i / 3) * 2 + 1);
        input->setEnabled(false);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto *whole = new QVBoxLayout(p);
    tighten(whole);
    whole->addLayout(grid);
    whole->addStretch(1);
    whole->addLayout(runButtonRow(cmdSaveTags));
    return p;
}

QWidget *Mp3Page::createEditTagPanel()
{
    QWidget *p = panel(this, "picEditTag");
    lblEditTagTitle = named(new QLabel(p), "lblEditTagTitle");
    lblEditTagArtist = named(new QLabel(p), "lblEditTagArtist");
    lblEditTagAlbum = named(new QLabel(p), "lblEditTagAlbum");
    lblEditTagYear = named(new QLabel(p), "lblEditTagYear");
    lblEditTagGenre = named(new QLabel(p), "lblEditTagGenre");
    lblEditTagComment = named(new QLabel(p), "lblEditTagComment");
    txtEditTagTitle = textBox(p, "txtEditTagTitle", FieldChars);
    txtEditTagArtist = textBox(p, "txtEditTagArtist", FieldChars);
    txtEditTagAlbum = textBox(p, "txtEditTagAlbum", FieldChars);
    txtEditTagYear = textBox(p, "txtEditTagYear");
    cboEditTagGenre = genreList(p, "cboEditTagGenre");
    txtEditTagComment = textBox(p, "txtEditTagComment", FieldChars);
    cmdEditTagSave = named(new QPushButton(p), "cmdEditTagSave");

    const std::pair<QLabel *, QWidget *> rows[] = {
        {lblEditTagTitle, txtEditTagTitle}, {lblEditTagArtist, txtEditTagArtist},
        {lblEditTagAlbum, txtEditTagAlbum}, {lblEditTagYear, txtEditTagYear},
        {lblEditTagGenre, cboEditTagGenre}, {lblEditTagComment, txtEditTagComment},
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    for (int i = 0; i < 6; ++i) {
        const auto &[label, input] = rows[i];
        label->setBuddy(input);
        grid->addWidget(label, i % 3, (i / 3) * 2);
        grid->addWidget(input, i % 3, (i / 3) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto *save = new QHBoxLayout;
    save->addStretch(1);
    save->addWidget(cmdEditTagSave);
    auto *whole = new QVBoxLayout(p);
    tighten(whole);
    whole->addLayout(grid);
    whole->addStretch(1);
    whole->addLayout(save);
    return p;
}

void Mp3Page::loadPanelCaptions()
{
    optIDToFileDefault->setText(LoadResString(306));
    optIDToFileAdvanced->setText(LoadResString(307));
    chkIDToFileSpace->setText(LoadResString(308));
    optIDToFileSpaceReplace->setText(LoadResString(309));
    optIDToFileSpaceDelete->setText(LoadResString(310));
    fraIDToFileCase->setTitle(LoadResString(117));
    optIDToFileCaseCap->setText(LoadResString(118));
    optIDToFileCaseLower->setText(LoadResString(119));
    optIDToFileCaseUpper->setText(LoadResString(120));
    optIDToFileCaseNone->setText(LoadResString(121));
    fraIDToFileAdvFormat->setTitle(LoadResString(312));
    QLabel *codes[] = {lbl1, lbl2, lbl3, lbl4, lbl5, lbl6, lbl7};
    for (int i = 0; i < 7; ++i)
        codes[i]->setText(LoadResString(313 + i));
    lblIDToFileText1->setText(LoadResString(320) + u'\n' + LoadResString(321));
    cmdID3ToFile->setText(LoadResString(168));

    QCheckBox *boxes[] = {chkMassID3Title, chkMassID3Artist, chkMassID3Album,
                          chkMassID3Year,  chkMassID3Genre,  chkMassID3Comment};
    for (int i = 0; i < 6; ++i)
        boxes[i]->setText(LoadResString(323 + i));
    cmdSaveTags->setText(LoadResString(329));

    QLabel *labels[] = {lblEditTagTitle, lblEditTagArtist, lblEditTagAlbum,
                        lblEditTagYear,  lblEditTagGenre,  lblEditTagComment};
    for (int i = 0; i < 6; ++i)
        labels[i]->setText(LoadResString(330 + i));
    cmdEditTagSave->setText(LoadResString(336));
}

} // namespace ardl
