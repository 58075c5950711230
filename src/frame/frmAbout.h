#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;

namespace ardl {

class RegistryFile;

// The About box: the program's title and version, a line about it, its home
// page (opened in the browser when clicked) and a button that starts the
// system information tool registered in the settings store.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // The program's home page, shown and opened by lblSiteURL.
    static const QString SiteURL;

    explicit frmAbout(QWidget *parent = nullptr);

    // Finds the system information tool and starts it; tells the user when
    // none is registered or it cannot be started.
    void StartSysInfo();

    // What StartSysInfo starts a program with (StartProgram): a test puts one
    // that also notes each start it is asked for.
    using ProgramStarter = std::function<bool(const QString &program)>;
    void setProgramStarter(ProgramStarter start);

    // Reads the value `SubKeyRef` of the key `KeyName` of the store `KeyRoot`
    // into `KeyVal` without changing the store. A text is given as it stands,
    // a 32-bit number as "&h" and its eight hexadecimal digits. False, with
    // `KeyVal` empty, when the key or the value does not exist.
    static bool GetKeyValue(RegistryFile &KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                            QString &KeyVal);

    QLabel *picIcon;
    QLabel *lblTitle;
    QLabel *lblDescription1;
    QLabel *lblC;
    QLabel *lblDescription2;
    QLabel *lblSiteURL;
    QPushButton *cmdOk;
    QPushButton *cmdSysInfo;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void lblSiteURL_Click();

    ProgramStarter m_startProgram;
};

} // namespace ardl
