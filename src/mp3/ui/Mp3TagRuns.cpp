// The handlers of the three panels: tag to file name, mass tagging and the
// tag editor.
#include "Mp3Page.h"

#include "mp3/core/GenreList.h"
#include "mp3/core/ID3ToFileRun.h"

#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"
#include "common/ui/BusyPage.h"
#include "common/ui/ListView.h"

#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace ardl {

namespace {

// Inputs show the window colour when they take input and light grey when
// they do not; a drop-down list is painted with its button colour.
void setInputColour(QWidget *input, bool active)
{
    const QColor colour = active ? QApplication::palette(input).color(QPalette::Base) : QColor(0xC0, 0xC0, 0xC0);
    QPalette palette = input->palette();
    palette.setColor(QPalette::Base, colour);
    if (qobject_cast<QComboBox *>(input))
        palette.setColor(QPalette::Button, colour);
    input->setPalette(palette);
}

std::optional<QString> checkedText(const QCheckBox *box, const QLineEdit *input)
{
    return box->isChecked() ? std::optional<QString>(input->text()) : std::nullopt;
}

std::optional<std::uint8_t> chosenGenre(const QComboBox *list)
{
    return ParseGenreItem(list->currentData().toString());
}

} // namespace

void Mp3Page::connectID3ToFileHandlers()
{
    connect(optIDToFileDefault, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            txtIDToFileAdvanced->setEnabled(false);
    });
    connect(optIDToFileAdvanced, &QRadioButton::toggled, this, [this](bool on) {
        txtIDToFileAdvanced->setEnabled(on);
        if (on)
            txtIDToFileAdvanced->setFocus();
    });
    connect(chkIDToFileSpace, &QCheckBox::toggled, this, [this](bool on) {
        fraSpace->setEnabled(on);
        txtIDToFileSpaceReplace->setEnabled(on && optIDToFileSpaceReplace->isChecked());
    });
    connect(optIDToFileSpaceReplace, &QRadioButton::toggled, this, [this](bool on) {
        txtIDToFileSpaceReplace->setEnabled(on);
        if (on)
            txtIDToFileSpaceReplace->setFocus();
    });
    connect(cmdID3ToFile, &QPushButton::clicked, this, [this] { cmdID3ToFile_Click(); });
}

ID3ToFileOptions Mp3Page::id3ToFileOptions() const
{
    ID3ToFileOptions options;
    options.Format = optIDToFileDefault->isChecked() ? QStringLiteral("%1 - %2") : txtIDToFileAdvanced->text();
    options.ChangeSpaces = chkIDToFileSpace->isChecked();
    options.ReplaceSpaces = optIDToFileSpaceReplace->isChecked();
    options.SpaceReplacement = txtIDToFileSpaceReplace->text();
    if (optIDToFileCaseUpper->isChecked())
        options.Case = NameCase::Upper;
    else if (optIDToFileCaseLower->isChecked())
        options.Case = NameCase::Lower;
    else if (optIDToFileCaseCap->isChecked())
        options.Case = NameCase::Capitalize;
    return options;
}

void Mp3Page::cmdID3ToFile_Click()
{
    BusyPage busy(this);
    const std::vector<Mp3File> files = m_files.files();
    const std::vector<Mp3FileResult> results = RunID3ToFile(files, id3ToFileOptions());
    // A tag loaded in the editor is saved to its file under its new name.
    for (size_t row = 0; row < results.size(); ++row) {
        if (!results[row].newName.isEmpty())
            m_editor.renamed(files[row].path(), files[row].folder + results[row].newName);
    }
    m_files.showResults(results);
    showStatus(ID3ToFileSummary(files, results));
}

void Mp3Page::showRunResults(const std::vector<Mp3FileResult> &results)
{
    m_files.showResults(results);
    int failed = 0;
    const Mp3FileResult *first = nullptr;
    size_t firstRow = 0;
    int tagged = 0;
    for (size_t row = 0; row < results.size(); ++row) {
        tagged += results[row].outcome == Mp3Outcome::Ok ? 1 : 0;
        if (results[row].outcome != Mp3Outcome::Error)
            continue;
        if (failed++ == 0) {
            first = &results[row];
            firstRow = row;
        }
    }
    if (first)
        showStatus(FormatString(LoadResString(4413), failed, m_files.file(int(firstRow)).name, first->reason));
    else // the failure of an earlier run must not stand after this one
        showStatus(FormatString(LoadResString(4416), tagged));
}

void Mp3Page::connectMassTagHandlers()
{
    const std::pair<QCheckBox *, QWidget *> rows[] = {
        {chkMassID3Title, txtMassID3Title}, {chkMassID3Artist, txtMassID3Artist},
        {chkMassID3Album, txtMassID3Album}, {chkMassID3Year, txtMassID3Year},
        {chkMassID3Genre, cboMassID3Genre}, {chkMassID3Comment, txtMassID3Comment},
    };
    for (const auto &[box, input] : rows) {
        setInputColour(input, false);
        connect(box, &QCheckBox::clicked, this, [this, box, input] { chkMassID3_Click(box, input); });
    }
    connect(cboMassID3Genre, &QComboBox::currentIndexChanged, this, [this] { updateSaveTagsButton(); });
    connect(cmdSaveTags, &QPushButton::clicked, this, [this] { cmdSaveTags_Click(); });
}

void Mp3Page::chkMassID3_Click(QCheckBox *box, QWidget *input)
{
    const bool on = box->isChecked();
    input->setEnabled(on);
    setInputColour(input, on);
    if (on)
        input->setFocus();
    UpdateMp3Buttons();
}

// Saving needs a field to set, and a genre when the genre is to be set.
bool Mp3Page::massTagReady() const
{
    if (chkMassID3Genre->isChecked() && !chosenGenre(cboMassID3Genre))
        return false;
    return massTagOptions().any();
}

void Mp3Page::updateSaveTagsButton()
{
    cmdSaveTags->setEnabled(m_files.count() > 0 && massTagReady());
}

MassTagOptions Mp3Page::massTagOptions() const
{
    MassTagOptions options;
    options.Title = checkedText(chkMassID3Title, txtMassID3Title);
    options.Artist = checkedText(chkMassID3Artist, txtMassID3Artist);
    options.Album = checkedText(chkMassID3Album, txtMassID3Album);
    options.Year = checkedText(chkMassID3Year, txtMassID3Year);
    if (chkMassID3Genre->isChecked())
        options.Genre = chosenGenre(cboMassID3Genre);
    options.Comment = checkedText(chkMassID3Comment, txtMassID3Comment);
    return options;
}

void Mp3Page::cmdSaveTags_Click()
{
    if (!massTagReady())
        return;
    BusyPage busy(this);
    const std::vector<Mp3FileResult> results = RunMassTag(m_files.files(), massTagOptions());
    // A tag loaded in the editor before the run may no longer be the
    // file's: saving it would put the old fields back.
    const bool written = std::any_of(results.begin(), results.end(),
                                     [](const Mp3FileResult &result) { return result.outcome == Mp3Outcome::Ok; });
    if (written && m_editor.loaded()) {
        ClearTextTag(false);
        cmdEditTagSave->setEnabled(false);
    }
    showRunResults(results);
}

void Mp3Page::connectEditTagHandlers()
{
    connect(cmdEditTagSave, &QPushButton::clicked, this, [this] { cmdEditTagSave_Click(); });
    connect(cboEditTagGenre, &QComboBox::activated, this, [this] { m_editGenreChosen = true; });
}

void Mp3Page::ClearTextTag(bool bEnable)
{
    QWidget *inputs[] = {txtEditTagTitle, txtEditTagArtist, txtEditTagAlbum,
                         txtEditTagYear,  cboEditTagGenre,  txtEditTagComment};
    for (QWidget *input : inputs)
        setInputColour(input, bEnable);
    if (bEnable)
        return;
    for (QLineEdit *box : {txtEditTagTitle, txtEditTagArtist, txtEditTagAlbum, txtEditTagYear, txtEditTagComment})
        box->clear();
    cboEditTagGenre->setCurrentIndex(cboEditTagGenre->count() > 0 ? 0 : -1);
    m_editor.clear();
    m_editGenreChosen = false;
}

void Mp3Page::LVMp3File_ItemClick(int row)
{
    if (!picEditTag->isVisible() || row < 0 || row >= m_files.count())
        return;
    const Mp3File file = m_files.file(row);
    if (!file.exact() || !m_editor.load(file.path())) {
        ClearTextTag(false);
        cmdEditTagSave->setEnabled(false);
        return;
    }
    ClearTextTag(true);
    const TagFields &fields = m_editor.fields();
    txtEditTagTitle->setText(fields.Title);
    txtEditTagArtist->setText(fields.Artist);
    txtEditTagAlbum->setText(fields.Album);
    txtEditTagYear->setText(fields.Year);
    txtEditTagComment->setText(fields.Comment);
    cboEditTagGenre->setCurrentIndex(GenreItemIndex(fields.Genre));
    m_editGenreChosen = false;
    cmdEditTagSave->setEnabled(true);
}

void Mp3Page::cmdEditTagSave_Click()
{
    if (!m_editor.loaded())
        return;
    const QString path = m_editor.path();
    const std::uint8_t loadedGenre = m_editor.fields().Genre;
    const std::uint8_t genre = m_editGenreChosen ? chosenGenre(cboEditTagGenre).value_or(loadedGenre) : loadedGenre;
    const TagIoResult saved = m_editor.save({txtEditTagTitle->text(), txtEditTagArtist->text(), txtEditTagAlbum->text(),
                                             txtEditTagYear->text(), txtEditTagComment->text(), genre});
    LVMp3File->clearSelection();
    LVMp3File->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    ClearTextTag(false);
    cmdEditTagSave->setEnabled(false);
    if (saved)
        return;
    if (const int row = rowOfPath(path); row >= 0)
        m_files.showResult(row, Mp3FileResult::error(TagFaultText(saved)));
    MsgBox(FormatString(LoadResString(4412), path, TagFaultText(saved)), LoadResString(101), MsgIcon::Exclamation);
}

} // namespace ardl
