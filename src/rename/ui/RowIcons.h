#pragma once

#include <QString>
#include <QVariant>

namespace ardl {

// Small icons for the rows of a long list, from each file's full path.
// Icons go by file type, and files of one type tend to come together, so a
// row whose extension is that of the row before reuses its icon.
class RowIcons {
public:
    QVariant operator()(const QString &path);

private:
    bool m_any = false;
    QString m_lastExtension;
    QVariant m_lastIcon;
};

} // namespace ardl
