#include "BusyPage.h"

#include <QVariant>
#include <QWidget>

namespace ardl {

namespace {

// How many runs hold the page, kept on the page itself.
constexpr char RunsProperty[] = "ardlBusyRuns";

int runsOf(const QWidget *page)
{
    return page->property(RunsProperty).toInt();
}

} // namespace

BusyPage::BusyPage(QWidget *page)
    : m_page(page)
    , m_hiddenAtStart(page->isHidden())
{
    m_page->setProperty(RunsProperty, runsOf(m_page) + 1);
    m_page->setEnabled(false);
}

BusyPage::~BusyPage()
{
    const int runs = runsOf(m_page) - 1;
    m_page->setProperty(RunsProperty, runs);
    // A page the window hid meanwhile stays disabled, as hidden pages are,
    // until it is shown again.
    const bool hiddenMeanwhile = m_page->isHidden() && !m_hiddenAtStart;
    if (runs == 0 && !hiddenMeanwhile)
        m_page->setEnabled(true);
}

bool BusyPage::IsBusy(const QWidget *page)
{
    return runsOf(page) > 0;
}

} // namespace ardl
