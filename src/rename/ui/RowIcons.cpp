#include "RowIcons.h"

#include "platform/shell/FileIcons.h"

namespace ardl {

namespace {

// The extension of the file-name part, as GetFileExtension finds it.
QStringView extensionOf(const QString &path)
{
    const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > nameStart ? QStringView(path).mid(dot + 1) : QStringView();
}

} // namespace

QVariant RowIcons::operator()(const QString &path)
{
    const QStringView extension = extensionOf(path);
    if (!m_any || extension != m_lastExtension) {
        m_any = true;
        m_lastExtension = extension.toString();
        m_lastIcon = vbAddFileItemIcon(path);
    }
    return m_lastIcon;
}

} // namespace ardl
