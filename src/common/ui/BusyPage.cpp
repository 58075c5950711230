#include "BusyPage.h"

#include <QWidget>

namespace ardl {

BusyPage::BusyPage(QWidget *page)
    : m_page(page)
{
    m_page->setEnabled(false);
}

BusyPage::~BusyPage()
{
    m_page->setEnabled(true);
}

} // namespace ardl
