#include "WidgetPrompter.h"

#include "frmOverwrite.h"

#include "common/core/modFile.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace ardl {

namespace {

QWidget *owner()
{
    return QApplication::activeWindow();
}

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

QString selectedFilter(const QStringList &filters, int index)
{
    return index >= 1 && index <= filters.size() ? filters[index - 1] : QString();
}

} // namespace

QStringList QtFilterList(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        out << parts[i] + QLatin1String(" (") + patterns + u')';
    }
    return out;
}

MsgAnswer WidgetPrompter::message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons)
{
    QMessageBox box(qtIcon(icon), title, text, qtButtons(buttons), owner());
    if (buttons == MsgButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoDefaultNo ? MsgAnswer::No
                                                                                     : MsgAnswer::Cancel;
    }
}

std::optional<QString> WidgetPrompter::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QString> WidgetPrompter::password(const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), title, prompt, QLineEdit::Password, QString(), &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

int WidgetPrompter::askOverwrite(const QString &message)
{
    frmOverwrite dialog(message, owner());
    dialog.exec();
    return dialog.answer();
}

QString WidgetPrompter::browseForFolder(const QString &title, const QString &startFolder)
{
    return AddBackslash(QFileDialog::getExistingDirectory(owner(), title, startFolder));
}

QStringList WidgetPrompter::openFileNames(const FileDialogRequest &request)
{
    const QStringList filters = QtFilterList(request.filter);
    QString selected = selectedFilter(filters, request.filterIndex);
    const QString start = request.fileName.isEmpty() ? request.initialFolder
                                                     : AddBackslash(request.initialFolder) + request.fileName;
    if (request.multiple)
        return QFileDialog::getOpenFileNames(owner(), request.title, start, filters.join(QLatin1String(";;")),
                                             &selected);
    const QString file = QFileDialog::getOpenFileName(owner(), request.title, start, filters.join(QLatin1String(";;")),
                                                      &selected);
    return file.isEmpty() ? QStringList() : QStringList{file};
}

QString WidgetPrompter::saveFileName(const FileDialogRequest &request)
{
    const QStringList filters = QtFilterList(request.filter);
    QString selected = selectedFilter(filters, request.filterIndex);
    const QString start = request.fileName.isEmpty() ? request.initialFolder
                                                     : AddBackslash(request.initialFolder) + request.fileName;
    return QFileDialog::getSaveFileName(owner(), request.title, start, filters.join(QLatin1String(";;")), &selected);
}

} // namespace ardl
