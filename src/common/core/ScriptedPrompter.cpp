#include "ScriptedPrompter.h"

namespace ardl {

namespace {

template <typename T>
T next(std::deque<T> &queue, T fallback)
{
    if (!queue.empty()) {
        fallback = std::move(queue.front());
        queue.pop_front();
    }
    return fallback;
}

MsgAnswer cancelAnswer(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo:
        return MsgAnswer::No;
    default:
        return MsgAnswer::Cancel;
    }
}

} // namespace

QStringList ScriptedPrompter::messages() const
{
    QStringList out;
    for (const Asked &a : asked) {
        if (a.kind == Kind::Message)
            out << a.text;
    }
    return out;
}

int ScriptedPrompter::count(Kind kind) const
{
    int n = 0;
    for (const Asked &a : asked)
        n += a.kind == kind;
    return n;
}

MsgAnswer ScriptedPrompter::message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons)
{
    asked.push_back({Kind::Message, text, title, icon, buttons});
    return next(messageAnswers, cancelAnswer(buttons));
}

std::optional<QString> ScriptedPrompter::inputBox(const QString &prompt, const QString &title, const QString &)
{
    asked.push_back({Kind::Input, prompt, title});
    return next(inputAnswers, std::optional<QString>());
}

std::optional<QString> ScriptedPrompter::password(const QString &prompt, const QString &title)
{
    asked.push_back({Kind::Password, prompt, title});
    return next(passwordAnswers, std::optional<QString>());
}

int ScriptedPrompter::askOverwrite(const QString &message)
{
    asked.push_back({Kind::Overwrite, message, {}});
    return next(overwriteAnswers, int(OverwriteCancel));
}

QString ScriptedPrompter::browseForFolder(const QString &title, const QString &startFolder)
{
    asked.push_back({Kind::Folder, title, {}, MsgIcon::None, MsgButtons::Ok, startFolder});
    return next(folderAnswers, QString());
}

QStringList ScriptedPrompter::openFileNames(const FileDialogRequest &request)
{
    asked.push_back({Kind::OpenFile, request.title, {}, MsgIcon::None, MsgButtons::Ok, request.initialFolder});
    return next(openAnswers, QStringList());
}

QString ScriptedPrompter::saveFileName(const FileDialogRequest &request)
{
    asked.push_back({Kind::SaveFile, request.title, {}, MsgIcon::None, MsgButtons::Ok, request.initialFolder});
    return next(saveAnswers, QString());
}

} // namespace ardl
