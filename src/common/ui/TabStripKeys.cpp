#include "TabStripKeys.h"

#include <QTabBar>

namespace ardl {

void AddKeyedTab(QTabBar *tabs, const char *key)
{
    tabs->setTabData(tabs->addTab(QString()), QLatin1String(key));
}

void SelectTabByKey(QTabBar *tabs, const char *key)
{
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabData(i).toString() == QLatin1String(key))
            tabs->setCurrentIndex(i);
    }
}

QString SelectedTabKey(const QTabBar *tabs)
{
    return tabs->tabData(tabs->currentIndex()).toString();
}

} // namespace ardl
