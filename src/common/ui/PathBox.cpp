#include "PathBox.h"

#include <QComboBox>
#include <QCompleter>

namespace ardl {

void MakePathBox(QComboBox *box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->completer()->setCaseSensitivity(Qt::CaseSensitive);
}

} // namespace ardl
