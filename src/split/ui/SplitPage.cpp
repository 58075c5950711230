#include "SplitPage.h"

#include "PathLabel.h"

#include "common/core/FileDialogs.h"
#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/LeftOutNames.h"
#include "common/core/colFile.h"
#include "common/core/modFile.h"
#include "common/core/modFindFile.h"
#include "common/core/modString.h"
#include "common/ui/BusyPage.h"
#include "common/ui/PathBox.h"
#include "common/ui/ControlLibrary.h"
#include "common/ui/FileDrag.h"
#include "common/ui/HoverHelp.h"
#include "common/ui/LateBound.h"
#include "common/ui/modListView.h"
#include "common/ui/RadioGroups.h"
#include "common/units/Twips.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/modShell32.h"
#include "platform/splitlib/SplitLayout.h"
#include "split/core/SplitInfo.h"
#include "split/core/SplitRun.h"
#include "split/core/SplitSizes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace ardl {

namespace {

// Design sizes in twips. The band of size settings keeps to the bottom
// edge, the information panel and the options to the right edge.
constexpr int Margin = 120;
constexpr int BandHeight = 2370;  // from fraSplitSize's top to the page's bottom
constexpr int ByLabelBelow = 270; // lblBy below fraSplitSize's top
constexpr int OptionHeight = 255;
constexpr int ChoiceWidth = 1680; // optSize, lblBy, optPart, fraSplitPart
constexpr int PartFrameTop = 840; // fraSplitPart below fraSplitSize's top
constexpr int SizeFrameWidth = 4560;
constexpr int InfoWidth = 4800; // fraInfo and fraOption
constexpr int OptionFrameHeight = 1000;
constexpr int DestFrameHeight = 750;
constexpr int SplitFromRight = 1425; // cmdSplit's left edge from the page's right edge
constexpr int ButtonWidth = 1305;
constexpr int ButtonHeight = 375;
constexpr int InfoFirstRow = 300;
constexpr int InfoRowPitch = 300;
constexpr int InfoValueGap = 45; // a value label's left edge after its caption
constexpr int SpeedBoxWidth = 900;
constexpr int UnitCaptionPad = 300; // optSize: its caption's width and this

constexpr int UnitBytesLength = 9;
constexpr int UnitKbLength = 6;
constexpr int UnitMbLength = 3;
constexpr int TimeBoxLength = 9;
constexpr int PartsMin = 1;
constexpr int PartsMax = 999;
constexpr int PartsStart = 2;
constexpr int DefaultRecentCount = 10;

const QString DefaultSpeed = QStringLiteral("44000");

int px(int twips)
{
    return TwipsToPixels(twips);
}

template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit *numberBox(QWidget *parent, const char *name, int maxLength)
{
    QLineEdit *box = named(new QLineEdit(parent), name);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setMaxLength(maxLength);
    return box;
}

void tighten(QLayout *layout)
{
    layout->setContentsMargins(6, 2, 6, 4);
    layout->setSpacing(4);
}

} // namespace

SplitPage::SplitPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("picSplit"));
    createSourceControls();
    createSizeControls();
    createInfoControls();
    GroupRadioButtons(this);
    connectHandlers();
    SetHoverHelp(cmdOpenFile, 231);
    SetHoverHelp(cmdRemoveFile, 232);
    SetHoverHelp(cmdRemoveAll, 233);
    SetHoverHelp(cmdBrowseFolder, 234);
    SetHoverHelp(cmdSplit, 235);
}

SplitPage::~SplitPage() = default;

void SplitPage::createSourceControls()
{
    fraSplitSourceFile = named(new QGroupBox(this), "fraSplitSourceFile");
    lstSourceFile = named(new QListWidget(fraSplitSourceFile), "lstSourceFile");
    cmdOpenFile = named(new QPushButton(fraSplitSourceFile), "cmdOpenFile");
    cmdRemoveFile = named(new QPushButton(fraSplitSourceFile), "cmdRemoveFile");
    cmdRemoveAll = named(new QPushButton(fraSplitSourceFile), "cmdRemoveAll");
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {cmdOpenFile, cmdRemoveFile, cmdRemoveAll}) {
        button->setFixedWidth(px(ButtonWidth));
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto *source = new QHBoxLayout(fraSplitSourceFile);
    tighten(source);
    source->addWidget(lstSourceFile, 1);
    source->addLayout(buttons);
    lstSourceFile->setSelectionMode(QAbstractItemView::SingleSelection);
    AcceptFileDrops(lstSourceFile,
                    [this](const DroppedFiles &files) { lstSourceFile_OLEDragDrop(files.paths, files.leftOut); });
    AllowFileDragOut(lstSourceFile, [this] { return lstSourceFile_OLESetData(); });

    fraSplitDestFolder = named(new QGroupBox(this), "fraSplitDestFolder");
    txtDstFile = named(new QComboBox(fraSplitDestFolder), "txtDstFile");
    MakePathBox(txtDstFile);
    cmdBrowseFolder = named(new QPushButton(fraSplitDestFolder), "cmdBrowseFolder");
    cmdBrowseFolder->setFixedWidth(px(ButtonWidth));
    auto *dest = new QHBoxLayout(fraSplitDestFolder);
    tighten(dest);
    dest->addWidget(txtDstFile, 1);
    dest->addWidget(cmdBrowseFolder);

    fraOption = named(new QGroupBox(this), "fraOption");
    chkDeleteFileAfterSplit = named(new QCheckBox(fraOption), "chkDeleteFileAfterSplit");
    chkExe = named(new QCheckBox(fraOption), "chkExe");
    auto *options = new QVBoxLayout(fraOption);
    tighten(options);
    options->addWidget(chkDeleteFileAfterSplit);
    options->addWidget(chkExe);

    cmdSplit = named(new QPushButton(this), "cmdSplit");
    updateListButtons();
}

void SplitPage::createSizeControls()
{
    optSize = named(new QRadioButton(this), "optSize");
    lblBy = named(new QLabel(this), "lblBy");
    optPart = named(new QRadioButton(this), "optPart");

    fraSplitSize = named(new QGroupBox(this), "fraSplitSize");
    opt720 = named(new QRadioButton(QStringLiteral("720 Kb"), fraSplitSize), "opt720");
    opt144 = named(new QRadioButton(QStringLiteral("1.44 Kb"), fraSplitSize), "opt144");
    opt288 = named(new QRadioButton(QStringLiteral("2.88 Kb"), fraSplitSize), "opt288");
    optOthers = named(new QRadioButton(fraSplitSize), "optOthers");
    txtSize = numberBox(fraSplitSize, "txtSize", UnitBytesLength);
    lblBytes = named(new QLabel(QStringLiteral("Bytes"), fraSplitSize), "lblBytes");
    lblKb = named(new QLabel(QStringLiteral("Kb"), fraSplitSize), "lblKb");
    lblMb = named(new QLabel(QStringLiteral("Mb"), fraSplitSize), "lblMb");
    optDownload = named(new QRadioButton(fraSplitSize), "optDownload");
    txtH = numberBox(fraSplitSize, "txtH", TimeBoxLength);
    lblH = named(new QLabel(fraSplitSize), "lblH");
    txtM = numberBox(fraSplitSize, "txtM", TimeBoxLength);
    lblM = named(new QLabel(QStringLiteral("Min"), fraSplitSize), "lblM");
    txtS = numberBox(fraSplitSize, "txtS", TimeBoxLength);
    lblS = named(new QLabel(QStringLiteral("Sec"), fraSplitSize), "lblS");
    txtBps = numberBox(fraSplitSize, "txtBps", TimeBoxLength);
    lblBps = named(new QLabel(QStringLiteral("Bps"), fraSplitSize), "lblBps");
    for (QLabel *unit : {lblBytes, lblKb, lblMb}) {
        unit->setCursor(Qt::PointingHandCursor);
        unit->installEventFilter(this);
    }

    auto *grid = new QGridLayout(fraSplitSize);
    tighten(grid);
    auto *presets = new QHBoxLayout;
    for (QRadioButton *preset : {opt720, opt144, opt288})
        presets->addWidget(preset);
    presets->addStretch();
    auto *custom = new QHBoxLayout;
    custom->addWidget(optOthers);
    custom->addWidget(txtSize, 1);
    for (QLabel *unit : {lblBytes, lblKb, lblMb})
        custom->addWidget(unit);
    auto *time = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{txtH, lblH, txtM, lblM, txtS, lblS, txtBps, lblBps})
        time->addWidget(w, qobject_cast<QLineEdit *>(w) ? (w == txtBps ? 3 : 2) : 0);
    grid->addLayout(presets, 0, 0);
    grid->addLayout(custom, 1, 0);
    grid->addWidget(optDownload, 2, 0);
    grid->addLayout(time, 3, 0);

    fraSplitPart = named(new QGroupBox(this), "fraSplitPart");
    createSpinner();
    auto *part = new QVBoxLayout(fraSplitPart);
    tighten(part);
    part->addWidget(UDSPart);
    part->addStretch();
}

void SplitPage::createSpinner()
{
    UDSPart = CreateControl(QStringLiteral("Vostrane.UpDownSlide"), fraSplitPart);
    m_spinnerMade = UDSPart != nullptr;
    if (!m_spinnerMade)
        UDSPart = new QWidget(fraSplitPart); // the failure has been reported
    UDSPart->setObjectName(QStringLiteral("UDSPart"));
    if (!m_spinnerMade)
        return;
    SetProp(UDSPart, "Min", PartsMin);
    SetProp(UDSPart, "Max", PartsMax);
    SetProp(UDSPart, "Value", PartsStart);
    // The panel follows the spinner whenever it takes or leaves the focus,
    // and after each click, key or slide within it.
    UDSPart->installEventFilter(this);
    for (QWidget *inner : UDSPart->findChildren<QWidget *>())
        inner->installEventFilter(this);
}

void SplitPage::createInfoControls()
{
    fraInfo = named(new QGroupBox(this), "fraInfo");
    lblNumberFileSplit = named(new QLabel(fraInfo), "lblNumberFileSplit");
    lblDestPath = named(new QLabel(fraInfo), "lblDestPath");
    lblSelectedFile = named(new QLabel(fraInfo), "lblSelectedFile");
    lblFileOrgSize = named(new QLabel(fraInfo), "lblFileOrgSize");
    lblSizePart = named(new QLabel(fraInfo), "lblSizePart");
    lblNumberPart = named(new QLabel(fraInfo), "lblNumberPart");
    lblInfo1 = named(new PathLabel(fraInfo), "lblInfo1");
    lblInfo2 = named(new PathLabel(fraInfo), "lblInfo2");
    lblInfo3 = named(new PathLabel(fraInfo), "lblInfo3");
    lblInfo4 = named(new PathLabel(fraInfo), "lblInfo4");
    lblInfo5 = named(new PathLabel(fraInfo), "lblInfo5");
    lblInfo6 = named(new PathLabel(fraInfo), "lblInfo6");
    lblInfo7 = named(new PathLabel(fraInfo), "lblInfo7");
    lblTimeDown = named(new QLabel(fraInfo), "lblTimeDown");
    lblat = named(new QLabel(fraInfo), "lblat");
    txtDown = numberBox(fraInfo, "txtDown", TimeBoxLength);
}

void SplitPage::connectHandlers()
{
    const std::pair<QRadioButton *, void (SplitPage::*)()> options[] = {
        {opt720, &SplitPage::opt720_Click},           {opt144, &SplitPage::opt144_Click},
        {opt288, &SplitPage::opt288_Click},           {optOthers, &SplitPage::optOthers_Click},
        {optDownload, &SplitPage::optDownload_Click}, {optPart, &SplitPage::optPart_Click},
        {optSize, &SplitPage::optSize_Click},
    };
    for (const auto &[button, handler] : options) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool on) {
            if (on)
                (this->*handler)();
        });
    }
    connect(txtSize, &QLineEdit::textChanged, this, [this] { txtSize_Change(); });
    for (QLineEdit *box : {txtH, txtM, txtS})
        connect(box, &QLineEdit::textChanged, this, [this, box] { numberBoxChanged(box, QStringLiteral("0")); });
    for (QLineEdit *box : {txtBps, txtDown})
        connect(box, &QLineEdit::textChanged, this, [this, box] { numberBoxChanged(box, DefaultSpeed); });
    connect(chkExe, &QCheckBox::toggled, this, [this] { CalculateInfo(); });

    connect(cmdOpenFile, &QPushButton::clicked, this, [this] { cmdOpenFile_Click(); });
    connect(cmdRemoveFile, &QPushButton::clicked, this, [this] { cmdRemoveFile_Click(); });
    connect(cmdRemoveAll, &QPushButton::clicked, this, [this] { cmdRemoveAll_Click(); });
    connect(lstSourceFile, &QListWidget::currentRowChanged, this, [this] { lstSourceFile_Click(); });
    connect(cmdBrowseFolder, &QPushButton::clicked, this, [this] { cmdBrowseFolder_Click(); });
    connect(txtDstFile, &QComboBox::currentTextChanged, this, [this] { CalculateInfo(); });
    connect(cmdSplit, &QPushButton::clicked, this, [this] { cmdSplit_Click(); });
}

void SplitPage::LoadCaptions()
{
    optSize->setText(LoadResString(156));
    optSize->setFixedWidth(optSize->fontMetrics().horizontalAdvance(optSize->text()) + px(UnitCaptionPad));
    lblBy->setText(LoadResString(166));
    optPart->setText(LoadResString(155));
    fraSplitSize->setTitle(LoadResString(161));
    optOthers->setText(LoadResString(163));
    optDownload->setText(LoadResString(162));
    lblH->setText(LoadResString(164));
    fraSplitPart->setTitle(LoadResString(154));
    fraInfo->setTitle(LoadResString(143));
    lblTimeDown->setText(LoadResString(162));
    lblat->setText(LoadResString(144));
    fraOption->setTitle(LoadResString(125));
    chkDeleteFileAfterSplit->setText(LoadResString(153));
    chkExe->setText(LoadResString(152));
    cmdSplit->setText(LoadResString(151));

    lblNumberFileSplit->setText(LoadResString(150));
    lblDestPath->setText(LoadResString(148));
    lblSelectedFile->setText(LoadResString(149));
    lblFileOrgSize->setText(LoadResString(145));
    lblSizePart->setText(LoadResString(147));
    lblNumberPart->setText(LoadResString(146));

    fraSplitSourceFile->setTitle(LoadResString(157));
    cmdRemoveAll->setText(LoadResString(158));
    cmdRemoveFile->setText(LoadResString(159));
    cmdOpenFile->setText(LoadResString(160));
    fraSplitDestFolder->setTitle(LoadResString(165));
    cmdBrowseFolder->setText(LoadResString(169));
    placeInfoValues();
}

// Each value label stands right of its caption, which is as wide as its text.
void SplitPage::placeInfoValues()
{
    const std::pair<QLabel *, PathLabel *> rows[] = {
        {lblNumberFileSplit, lblInfo1}, {lblDestPath, lblInfo2}, {lblSelectedFile, lblInfo3},
        {lblFileOrgSize, lblInfo6},     {lblSizePart, lblInfo4}, {lblNumberPart, lblInfo5},
    };
    const int rowHeight = px(InfoRowPitch);
    int top = px(InfoFirstRow);
    for (const auto &[caption, value] : rows) {
        caption->adjustSize();
        caption->move(px(Margin), top);
        value->setGeometry(caption->x() + caption->width() + px(InfoValueGap), top,
                           qMax(0, fraInfo->width() - caption->x() - caption->width() - px(InfoValueGap + Margin)),
                           caption->height());
        top += rowHeight;
    }
    top += px(60);
    lblTimeDown->adjustSize();
    lblTimeDown->move(px(Margin), top);
    lblat->adjustSize();
    lblat->move(lblTimeDown->x() + lblTimeDown->width() + px(InfoValueGap), top);
    txtDown->setGeometry(lblat->x() + lblat->width() + px(InfoValueGap), top - 3, px(SpeedBoxWidth),
                         lblat->height() + 6);
    const int timeLeft = txtDown->x() + txtDown->width() + px(InfoValueGap);
    lblInfo7->setGeometry(timeLeft, top, qMax(0, fraInfo->width() - timeLeft - px(Margin)), lblat->height());
}

void SplitPage::SetDefaults()
{
    Options = SplitOptions();
    txtSize->setText(QStringLiteral("0"));
    for (QLineEdit *box : {txtH, txtM, txtS})
        box->setText(QStringLiteral("0"));
    txtBps->setText(DefaultSpeed);
    txtDown->setText(DefaultSpeed);
    txtSize->setMaxLength(UnitBytesLength);
    showUnit(lblBytes);
    opt144->setChecked(true);
    optSize->setChecked(true);
    optSize_Click(); // the frames' states, whatever was checked before
    CalculateInfo();
}

void SplitPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ResizePage();
}

void SplitPage::ResizePage()
{
    const int w = width();
    const int h = height();
    const int bandTop = h - px(BandHeight);
    const int leftWidth = qMax(0, w - px(InfoWidth) - 2 * px(Margin));
    const int infoLeft = leftWidth + px(Margin);

    fraSplitDestFolder->setGeometry(0, bandTop - px(Margin + DestFrameHeight), leftWidth, px(DestFrameHeight));
    fraSplitSourceFile->setGeometry(0, 0, leftWidth, qMax(0, fraSplitDestFolder->y() - px(Margin)));
    fraOption->setGeometry(infoLeft, bandTop - px(Margin + OptionFrameHeight), px(InfoWidth), px(OptionFrameHeight));
    fraInfo->setGeometry(infoLeft, 0, px(InfoWidth), qMax(0, fraOption->y() - px(Margin)));
    placeInfoValues();

    optSize->move(0, bandTop - px(15));
    optSize->resize(optSize->width(), px(OptionHeight) + 2);
    lblBy->setGeometry(px(240), bandTop + px(ByLabelBelow), px(ChoiceWidth - 240), px(OptionHeight));
    optPart->setGeometry(0, bandTop + px(2 * ByLabelBelow - 15), px(ChoiceWidth), px(OptionHeight) + 2);
    fraSplitPart->setGeometry(0, bandTop + px(PartFrameTop), px(ChoiceWidth),
                              qMax(0, h - bandTop - px(PartFrameTop + Margin)));
    fraSplitSize->setGeometry(px(ChoiceWidth + Margin), bandTop, px(SizeFrameWidth), px(BandHeight - Margin));
    cmdSplit->setGeometry(w - px(SplitFromRight), h - px(Margin + ButtonHeight), px(ButtonWidth), px(ButtonHeight));
}

// ---- size settings ------------------------------------------------------

void SplitPage::setSizeMode(int32_t mode)
{
    Options.SizeMode = mode;
    CalculateInfo();
}

void SplitPage::opt720_Click()
{
    setSizeMode(SizeMode720);
}
void SplitPage::opt144_Click()
{
    setSizeMode(SizeMode144);
}
void SplitPage::opt288_Click()
{
    setSizeMode(SizeMode288);
}
void SplitPage::optOthers_Click()
{
    setSizeMode(SizeModeCustom);
}
void SplitPage::optDownload_Click()
{
    setSizeMode(SizeModeDownload);
}

void SplitPage::optPart_Click()
{
    Options.SplitBy = SplitByParts;
    fraSplitPart->setEnabled(true);
    fraSplitSize->setEnabled(false);
    CalculateInfo();
}

void SplitPage::optSize_Click()
{
    Options.SplitBy = SplitBySize;
    fraSplitPart->setEnabled(false);
    fraSplitSize->setEnabled(true);
    CalculateInfo();
}

// A unit picks the custom size and cuts it to the digits that unit allows;
// the unit in use shows in bold.
void SplitPage::setUnit(int maxLength, int32_t unit, QLabel *label)
{
    optOthers->setChecked(true);
    txtSize->setMaxLength(maxLength);
    txtSize->setText(txtSize->text().left(maxLength));
    Options.SizeMode = SizeModeCustom;
    Options.SizeUnit = unit;
    showUnit(label);
    CalculateInfo();
}

void SplitPage::showUnit(QLabel *label)
{
    for (QLabel *each : {lblBytes, lblKb, lblMb}) {
        QFont font = each->font();
        font.setBold(each == label);
        each->setFont(font);
    }
}

void SplitPage::lblBytes_Click()
{
    setUnit(UnitBytesLength, UnitBytes, lblBytes);
}
void SplitPage::lblKb_Click()
{
    setUnit(UnitKbLength, UnitKb, lblKb);
}
void SplitPage::lblMb_Click()
{
    setUnit(UnitMbLength, UnitMb, lblMb);
}

void SplitPage::txtSize_Change()
{
    const std::optional<qint64> size = NumberFromText(txtSize->text());
    if (!size) {
        txtSize->setText(QStringLiteral("0")); // comes back here
        return;
    }
    Options.CustomSize = *size;
    CalculateInfo();
}

void SplitPage::numberBoxChanged(QLineEdit *box, const QString &empty)
{
    if (!NumberFromText(box->text())) {
        box->setText(empty); // comes back here
        return;
    }
    CalculateInfo();
}

SplitSettings SplitPage::settings() const
{
    SplitSettings s;
    s.options = Options;
    s.download = {txtH->text(), txtM->text(), txtS->text(), txtBps->text()};
    s.partCount = m_spinnerMade ? GetProp(UDSPart, "Value").toLongLong() : PartsMin;
    s.includeExe = chkExe->isChecked();
    return s;
}

// ---- information panel --------------------------------------------------

void SplitPage::CalculateInfo()
{
    SplitInfoInput in;
    in.fileCount = lstSourceFile->count();
    in.destination = txtDstFile->currentText();
    const QListWidgetItem *selected = lstSourceFile->currentItem();
    in.selected = selected && selected->isSelected() ? selected->text() : QString();
    in.settings = settings();
    in.downloadSpeed = txtDown->text();
    const SplitInfo info = ardl::CalculateInfo(in);

    lblInfo1->setText(info.lblInfo1);
    lblInfo2->setText(info.lblInfo2);
    const std::pair<PathLabel *, const std::optional<QString> *> values[] = {
        {lblInfo3, &info.lblInfo3}, {lblInfo4, &info.lblInfo4}, {lblInfo5, &info.lblInfo5},
        {lblInfo6, &info.lblInfo6}, {lblInfo7, &info.lblInfo7},
    };
    for (const auto &[label, value] : values) {
        if (value->has_value())
            label->setText(**value);
    }
}

// ---- source list and destination ----------------------------------------

QStringList SplitPage::sourceFiles() const
{
    QStringList paths;
    paths.reserve(lstSourceFile->count());
    for (int i = 0; i < lstSourceFile->count(); ++i)
        paths << lstSourceFile->item(i)->text();
    return paths;
}

void SplitPage::addEntry(const QString &path)
{
    lstSourceFile->addItem(path);
}

void SplitPage::updateListButtons()
{
    const bool any = lstSourceFile->count() > 0;
    for (QPushButton *button : {cmdRemoveFile, cmdRemoveAll, cmdSplit})
        button->setEnabled(any);
}

void SplitPage::cmdOpenFile_Click()
{
    FileDialogRequest request;
    request.filter = QStringLiteral("All Files|*.*");
    request.filterIndex = 1;
    request.multiple = true;
    const QStringList chosen = AskOpenFileNames(QStringLiteral("Split\\AddFile"), request);
    if (chosen.isEmpty())
        return;
    for (const QString &path : chosen) {
        if (FileExists(path))
            addEntry(path);
    }
    lstSourceFile->setCurrentRow(0);
    CalculateInfo();
    updateListButtons();
}

void SplitPage::cmdRemoveFile_Click()
{
    const int row = lstSourceFile->currentRow();
    const QListWidgetItem *item = lstSourceFile->currentItem();
    if (item && item->isSelected()) {
        delete lstSourceFile->takeItem(row);
        // The entry that took its place, or the new last one, is selected.
        lstSourceFile->setCurrentRow(qMin(row, lstSourceFile->count() - 1));
    }
    CalculateInfo();
    updateListButtons();
}

void SplitPage::cmdRemoveAll_Click()
{
    lstSourceFile->clear();
    CalculateInfo();
    updateListButtons();
}

void SplitPage::lstSourceFile_Click()
{
    CalculateInfo();
}

void SplitPage::lstSourceFile_OLEDragDrop(const QStringList &paths, const LeftOutNames &leftOut)
{
    // A name that is not valid UTF-8 cannot be listed as it is: its entry
    // would name no file, or another file that reads the same.
    LeftOutNames inexact = leftOut;
    for (const QString &path : paths) {
        if (FolderExists(path)) {
            colFile found;
            ScanOptions options;
            options.Recursive = true;
            options.Path = path;
            options.Mask = QStringLiteral("*.*");
            SearchForFilesArray(found, options);
            for (const QString &name : ExactNames(found, inexact))
                addEntry(name);
        } else {
            addEntry(path);
        }
    }
    // Dropped files are ready to split at once, like added ones.
    if (lstSourceFile->currentRow() < 0 && lstSourceFile->count() > 0)
        lstSourceFile->setCurrentRow(0);
    CalculateInfo();
    updateListButtons();
    if (!inexact.isEmpty())
        showStatus(inexact.message(NamesNotExactText));
}

QStringList SplitPage::lstSourceFile_OLESetData() const
{
    const QListWidgetItem *item = lstSourceFile->currentItem();
    return item && item->isSelected() ? QStringList{item->text()} : QStringList();
}

void SplitPage::cmdBrowseFolder_Click()
{
    const QString chosen = BrowseForFolder(txtDstFile->currentText());
    if (!chosen.isEmpty())
        txtDstFile->setEditText(chosen);
    // An empty box names no folder: recording it would push the oldest
    // folder out of the recent list for a blank entry.
    if (!txtDstFile->currentText().isEmpty())
        SaveDirectory(txtDstFile, ProgramKey + QStringLiteral("Split\\Dir"));
    CalculateInfo();
}

// ---- split run ----------------------------------------------------------

void SplitPage::showStatus(const QString &text)
{
    Q_EMIT StatusTextChanged(text);
}

void SplitPage::cmdSplit_Click()
{
    SplitRequest request;
    request.sources = sourceFiles();
    request.destination = txtDstFile->currentText();
    request.settings = settings();
    request.deleteSource = chkDeleteFileAfterSplit->isChecked();
    request.mergeProgram = MergeProgramPath();

    SplitRunResult result;
    {
        BusyPage busy(this);
        result = RunSplit(request, [this](const QString &text) {
            showStatus(text);
            QCoreApplication::processEvents();
        });
    }
    if (result.stopMessage)
        prompter().message(LoadResString(result.stopMessage), AppInfo::Title(), MsgIcon::Exclamation, MsgButtons::Ok);
    if (!result.files.empty()) {
        const QString report = SplitReportText(result);
        showStatus(report.section(QStringLiteral("\r\n"), 0, 0));
        prompter().message(report, AppInfo::Title(), result.anyProblem() ? MsgIcon::Exclamation : MsgIcon::Information,
                           MsgButtons::Ok);
    }
    CalculateInfo();
}

bool SplitPage::eventFilter(QObject *watched, QEvent *event)
{
    // A filter sees the clicks on a disabled label too: a greyed unit (the
    // size frame while splitting by number of parts, or the page during a
    // run) is not to change the settings.
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->isEnabled()) {
        if (watched == lblBytes) {
            lblBytes_Click();
            return true;
        }
        if (watched == lblKb) {
            lblKb_Click();
            return true;
        }
        if (watched == lblMb) {
            lblMb_Click();
            return true;
        }
    }
    if (m_spinnerMade && watched->isWidgetType()
        && (watched == UDSPart || UDSPart->isAncestorOf(static_cast<QWidget *>(watched)))) {
        switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
        case QEvent::MouseButtonRelease:
        case QEvent::KeyRelease:
            // After the control itself has handled the event.
            QMetaObject::invokeMethod(
                this, [this] { CalculateInfo(); }, Qt::QueuedConnection);
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace ardl
