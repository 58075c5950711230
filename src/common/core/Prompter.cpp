#include "Prompter.h"

#include <QtDebug>

namespace ardl {

namespace {

// Used before the program installs its dialogs: says no to everything, so a
// core routine run without a user never waits and never overwrites.
class CancellingPrompter final : public Prompter {
public:
    MsgAnswer message(const QString &text, const QString &, MsgIcon, MsgButtons buttons) override
    {
        qWarning("No prompter installed; message not shown: %s", qPrintable(text));
        return buttons == MsgButtons::Ok                                               ? MsgAnswer::Ok
               : buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoDefaultNo ? MsgAnswer::No
                                                                                       : MsgAnswer::Cancel;
    }
    std::optional<QString> inputBox(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> password(const QString &, const QString &) override { return {}; }
    int askOverwrite(const QString &) override { return OverwriteCancel; }
    QString browseForFolder(const QString &, const QString &) override { return {}; }
    QStringList openFileNames(const FileDialogRequest &) override { return {}; }
    QString saveFileName(const FileDialogRequest &) override { return {}; }
};

CancellingPrompter g_cancelling;
Prompter *g_current = nullptr;

} // namespace

Prompter &prompter()
{
    return g_current ? *g_current : g_cancelling;
}

void setPrompter(Prompter *p)
{
    g_current = p;
}

ScopedPrompter::ScopedPrompter(Prompter &p)
    : m_previous(g_current)
{
    g_current = &p;
}

ScopedPrompter::~ScopedPrompter()
{
    g_current = m_previous;
}

int AskOverwrite(const QString &message)
{
    return prompter().askOverwrite(message);
}

void MsgBox(const QString &text, const QString &title, MsgIcon icon)
{
    prompter().message(text, title, icon, MsgButtons::Ok);
}

} // namespace ardl
