#pragma once

#include <QString>

namespace ardl {

// One file as the rule engine sees it. The rules change Name and Ext and
// never Path.
struct RenameItem {
    QString Path;   // folder of the file, ending with "/"
    QString Name;   // file name without its extension
    QString Ext;    // extension without the dot; "" when there is none

    // Path & Name, then "." & Ext when Ext is not empty.
    QString FullName() const
    {
        QString full;
        full.reserve(Path.size() + Name.size() + Ext.size() + 1);
        full.append(Path).append(Name);
        if (!Ext.isEmpty())
            full.append(u'.').append(Ext);
        return full;
    }
    // The file name alone: Name, then "." & Ext when Ext is not empty.
    QString FileName() const { return Ext.isEmpty() ? Name : Name + u'.' + Ext; }
};

} // namespace ardl
