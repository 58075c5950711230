#pragma once

#include "mp3/core/MassTagRun.h"
#include "mp3/core/Mp3FileList.h"
#include "mp3/core/TagEditor.h"

#include "common/core/modFindFile.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

namespace ardl {

class FolderTree;
class ListView;
struct ID3ToFileOptions;

// The Mp3 page: a folder tree and a list of MP3 files on top, and under the
// tab strip three panels that work on the listed files: tag to file name,
// mass tagging and the tag editor of one file.
class Mp3Page : public QWidget {
    Q_OBJECT
public:
    explicit Mp3Page(QWidget *parent = nullptr);
    ~Mp3Page() override;

    // Load step of the main window: captions, tabs, genre lists, list
    // headers and widths, button states.
    void LoadCaptions();

    // The file list.
    void cmdAddMp3File_Click();
    void FillListMp3File(ScanOptions &options);
    void cmdDelMp3File_Click();
    void cmdClearMp3File_Click();
    void UpdateMp3Buttons();
    void LVMp3File_ColumnClick(int column);

    // Panels.
    void TabStrip_Click();
    // Shows the panel of `key` ("ID3", "MASS" or "EDIT").
    void selectTab(const char *key);

    // Tag to file name.
    void cmdID3ToFile_Click();
    ID3ToFileOptions id3ToFileOptions() const;

    // Mass tagging.
    void cmdSaveTags_Click();
    MassTagOptions massTagOptions() const;

    // Tag editor.
    void ClearTextTag(bool bEnable);
    void LVMp3File_ItemClick(int row);
    void cmdEditTagSave_Click();
    const TagEditor &editor() const { return m_editor; }

    // Last sorted column of the list, handed to the list sort.
    int LastSortMp3 = 0;

    // File list part.
    FolderTree *FTMp3;
    QCheckBox *chkMp3Recursive;
    QPushButton *cmdAddMp3File;
    QPushButton *cmdDelMp3File;
    QPushButton *cmdClearMp3File;
    ListView *LVMp3File;
    QTabBar *TabStrip;

    // Tag to file name.
    QWidget *picID3ToFile;
    QRadioButton *optIDToFileDefault;
    QRadioButton *optIDToFileAdvanced;
    QLineEdit *txtIDToFileAdvanced;
    QCheckBox *chkIDToFileSpace;
    QGroupBox *fraSpace;
    QRadioButton *optIDToFileSpaceReplace;
    QRadioButton *optIDToFileSpaceDelete;
    QLineEdit *txtIDToFileSpaceReplace;
    QGroupBox *fraIDToFileCase;
    QRadioButton *optIDToFileCaseCap;
    QRadioButton *optIDToFileCaseLower;
    QRadioButton *optIDToFileCaseUpper;
    QRadioButton *optIDToFileCaseNone;
    QGroupBox *fraIDToFileAdvFormat;
    QLabel *lbl1;
    QLabel *lbl2;
    QLabel *lbl3;
    QLabel *lbl4;
    QLabel *lbl5;
    QLabel *lbl6;
    QLabel *lbl7;
    QLabel *lblIDToFileText1;
    QPushButton *cmdID3ToFile;

    // Mass tagging.
    QWidget *picMassID3;
    QCheckBox *chkMassID3Title;
    QCheckBox *chkMassID3Artist;
    QCheckBox *chkMassID3Album;
    QCheckBox *chkMassID3Year;
    QCheckBox *chkMassID3Genre;
    QCheckBox *chkMassID3Comment;
    QLineEdit *txtMassID3Title;
    QLineEdit *txtMassID3Artist;
    QLineEdit *txtMassID3Album;
    QLineEdit *txtMassID3Year;
    QComboBox *cboMassID3Genre;
    QLineEdit *txtMassID3Comment;
    QPushButton *cmdSaveTags;

    // Tag editor.
    QWidget *picEditTag;
    QLabel *lblEditTagTitle;
    QLabel *lblEditTagArtist;
    QLabel *lblEditTagAlbum;
    QLabel *lblEditTagYear;
    QLabel *lblEditTagGenre;
    QLabel *lblEditTagComment;
    QLineEdit *txtEditTagTitle;
    QLineEdit *txtEditTagArtist;
    QLineEdit *txtEditTagAlbum;
    QLineEdit *txtEditTagYear;
    QComboBox *cboEditTagGenre;
    QLineEdit *txtEditTagComment;
    QPushButton *cmdEditTagSave;

Q_SIGNALS:
    // A text for the first panel of the window's status bar.
    void StatusTextChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Building the page.
    void createFileListControls();
    void createTabStrip();
    QWidget *createID3ToFilePanel();
    QWidget *createMassTagPanel();
    QWidget *createEditTagPanel();
    void connectListHandlers();
    void connectID3ToFileHandlers();
    void connectMassTagHandlers();
    void connectEditTagHandlers();
    void loadPanelCaptions();
    void ResizePage();

    // Mass tagging: a check box and the input it enables.
    void chkMassID3_Click(QCheckBox *box, QWidget *input);
    bool massTagReady() const;
    void updateSaveTagsButton();
    // Tag editor: empties it when its file's row is no longer selected.
    void editorFollowsSelection();

    void showStatus(const QString &text);
    // After a run: the rows show each outcome, the status bar the first
    // failure when there was one, else the count of files tagged.
    void showRunResults(const std::vector<Mp3FileResult> &results);
    int rowOfPath(const QString &path) const;

    Mp3FileList m_files;
    TagEditor m_editor;
    // The editor's genre list was changed by the user since the tag was
    // loaded: a genre without a name shows as the first entry, and must not
    // become that entry's genre on a save that did not choose it.
    bool m_editGenreChosen = false;
};

} // namespace ardl
