#pragma once

#include "common/core/Prompter.h"

namespace ardl {

// The Prompter the program installs: real modal dialogs over the active window.
class WidgetPrompter final : public Prompter {
public:
    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon,
                      MsgButtons buttons) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    std::optional<QString> password(const QString &prompt, const QString &title) override;
    int askOverwrite(const QString &message) override;
    QString browseForFolder(const QString &title, const QString &startFolder) override;
    QStringList openFileNames(const FileDialogRequest &request) override;
    QString saveFileName(const FileDialogRequest &request) override;
};

// "Text files|*.txt|All|*.*" as a file dialog's filter list.
QStringList QtFilterList(const QString &filter);

} // namespace ardl
