#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ardl {

enum class MsgIcon { None, Information, Exclamation, Critical, Question };
// YesNoDefaultNo: Yes and No with No the default button, for questions whose
// Yes cannot be taken back, so Enter alone never says yes.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
// The button pressed; closing the box without one (Escape, close box) is
// Cancel, or No for a Yes/No question.
enum class MsgAnswer { Ok, Cancel, Yes, No };

// Answers of the overwrite question; None when it was closed without one.
enum OverwriteAnswer : int {
    OverwriteNone = 0,
    OverwriteYes = 1,
    OverwriteNo = 2,
    OverwriteAll = 3,
    OverwriteCancel = 4,
};

struct FileDialogRequest {
    QString title;
    QString filter;      // "Description|*.ext|Other|*.*" pairs
    int filterIndex = 1; // 1-based
    QString initialFolder;
    QString fileName;
    bool multiple = false;
};

// Every modal question the program asks goes through the one Prompter that
// is installed, so that tests can answer it. The program installs one made of
// real dialogs; tests install a ScriptedPrompter.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons) = 0;
    // nullopt on Cancel.
    virtual std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                            const QString &defaultText) = 0;
    virtual std::optional<QString> password(const QString &prompt, const QString &title) = 0;
    // One of OverwriteAnswer.
    virtual int askOverwrite(const QString &message) = 0;
    // A folder with its trailing "/", or "" on Cancel.
    virtual QString browseForFolder(const QString &title, const QString &startFolder) = 0;
    // Empty on Cancel.
    virtual QStringList openFileNames(const FileDialogRequest &request) = 0;
    virtual QString saveFileName(const FileDialogRequest &request) = 0;
};

// The installed prompter; one that answers Cancel to everything when none is.
Prompter &prompter();
// Installs `p` (not owned); nullptr goes back to the default.
void setPrompter(Prompter *p);

// Installs a prompter for the lifetime of the guard.
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter &p);
    ~ScopedPrompter();
    ScopedPrompter(const ScopedPrompter &) = delete;
    ScopedPrompter &operator=(const ScopedPrompter &) = delete;

private:
    Prompter *m_previous;
};

// Asks whether to overwrite a file, with the caller's question: 1 Yes, 2 No,
// 3 All, 4 Cancel, or 0 when the question was closed without an answer.
// Nothing is remembered between questions; callers keep their own "All".
int AskOverwrite(const QString &message);

// Shortcut for a message with one OK button.
void MsgBox(const QString &text, const QString &title, MsgIcon icon = MsgIcon::Information);

} // namespace ardl
