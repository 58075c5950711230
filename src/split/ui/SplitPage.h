#pragma once

#include "common/core/LeftOutNames.h"
#include "split/core/SplitOptions.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace ardl {

class PathLabel;

// The Split page: source files, destination folder, the size of the parts
// (preset, custom, download time or number of parts), the information panel
// and the split run.
class SplitPage : public QWidget {
    Q_OBJECT
public:
    explicit SplitPage(QWidget *parent = nullptr);
    ~SplitPage() override;

    // Load steps of the main window: captions, then the split defaults.
    void LoadCaptions();
    void SetDefaults();

    // Refreshes the information panel from the list and the settings.
    void CalculateInfo();

    // Size settings.
    void opt720_Click();
    void opt144_Click();
    void opt288_Click();
    void optOthers_Click();
    void optDownload_Click();
    void optPart_Click();
    void optSize_Click();
    void lblBytes_Click();
    void lblKb_Click();
    void lblMb_Click();

    // Source list and destination.
    void cmdOpenFile_Click();
    void cmdRemoveFile_Click();
    void cmdRemoveAll_Click();
    void lstSourceFile_Click();
    // Files and folders dropped on the list, in order.
    // `leftOut` counts the dropped files whose paths are not valid UTF-8.
    void lstSourceFile_OLEDragDrop(const QStringList &paths, const LeftOutNames &leftOut = {});
    // The selected entry, for a drag out of the list.
    QStringList lstSourceFile_OLESetData() const;
    void cmdBrowseFolder_Click();

    void cmdSplit_Click();

    // The list's entries, top to bottom.
    QStringList sourceFiles() const;
    // Everything the size of the parts depends on, as the controls say.
    SplitSettings settings() const;

    SplitOptions Options;

    QGroupBox *fraSplitSourceFile;
    QListWidget *lstSourceFile;
    QPushButton *cmdOpenFile;
    QPushButton *cmdRemoveFile;
    QPushButton *cmdRemoveAll;
    QGroupBox *fraSplitDestFolder;
    QComboBox *txtDstFile;
    QPushButton *cmdBrowseFolder;

    QRadioButton *optSize;
    QLabel *lblBy;
    QRadioButton *optPart;
    QGroupBox *fraSplitSize;
    QRadioButton *opt720;
    QRadioButton *opt144;
    QRadioButton *opt288;
    QRadioButton *optOthers;
    QLineEdit *txtSize;
    QLabel *lblBytes;
    QLabel *lblKb;
    QLabel *lblMb;
    QRadioButton *optDownload;
    QLineEdit *txtH;
    QLabel *lblH;
    QLineEdit *txtM;
    QLabel *lblM;
    QLineEdit *txtS;
    QLabel *lblS;
    QLineEdit *txtBps;
    QLabel *lblBps;
    QGroupBox *fraSplitPart;
    QWidget *UDSPart;

    QGroupBox *fraInfo;
    QLabel *lblNumberFileSplit;
    QLabel *lblDestPath;
    QLabel *lblSelectedFile;
    QLabel *lblFileOrgSize;
    QLabel *lblSizePart;
    QLabel *lblNumberPart;
    PathLabel *lblInfo1;
    PathLabel *lblInfo2;
    PathLabel *lblInfo3;
    PathLabel *lblInfo4;
    PathLabel *lblInfo5;
    PathLabel *lblInfo6;
    PathLabel *lblInfo7;
    QLabel *lblTimeDown;
    QLabel *lblat;
    QLineEdit *txtDown;

    QGroupBox *fraOption;
    QCheckBox *chkDeleteFileAfterSplit;
    QCheckBox *chkExe;
    QPushButton *cmdSplit;

Q_SIGNALS:
    // A text for the first panel of the window's status bar.
    void StatusTextChanged(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createSourceControls();
    void createSizeControls();
    void createInfoControls();
    void createSpinner();
    void connectHandlers();
    void ResizePage();
    void placeInfoValues();

    void setSizeMode(int32_t mode);
    void setUnit(int maxLength, int32_t unit, QLabel *label);
    void showUnit(QLabel *label);
    // A numeric box left empty takes its default again.
    void numberBoxChanged(QLineEdit *box, const QString &empty);
    void txtSize_Change();
    void addEntry(const QString &path);
    void updateListButtons();
    void showStatus(const QString &text);

    bool m_spinnerMade = false;
};

} // namespace ardl
