#pragma once

#include "Prompter.h"

#include <deque>
#include <vector>

namespace ardl {

// A Prompter for tests: answers from queues filled beforehand and records
// every question. An empty queue answers as if the user cancelled.
class ScriptedPrompter final : public Prompter {
public:
    enum class Kind { Message, Input, Password, Overwrite, Folder, OpenFile, SaveFile };
    struct Asked {
        Kind kind;
        QString text;     // message, prompt or dialog title
        QString title;
        MsgIcon icon = MsgIcon::None;
        MsgButtons buttons = MsgButtons::Ok;
        QString startFolder = {};   // where a file or folder dialog opens
    };

    std::deque<MsgAnswer> messageAnswers;
    std::deque<std::optional<QString>> inputAnswers;
    std::deque<std::optional<QString>> passwordAnswers;
    std::deque<int> overwriteAnswers;
    std::deque<QString> folderAnswers;
    std::deque<QStringList> openAnswers;
    std::deque<QString> saveAnswers;

    std::vector<Asked> asked;

    // The texts of the messages shown, in order.
    QStringList messages() const;
    int count(Kind kind) const;

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

} // namespace ardl
