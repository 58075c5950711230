#pragma once

#include "WaitCursor.h"

class QWidget;

namespace ardl {

// For a long run that lets pending events through: shows the hourglass and
// keeps the page (and so its commands) disabled until the run ends, so no
// second run can start inside the first. The window consults IsBusy when it
// shows a page again, so switching pages meanwhile cannot enable it.
class BusyPage {
public:
    explicit BusyPage(QWidget *page);
    ~BusyPage();
    BusyPage(const BusyPage &) = delete;
    BusyPage &operator=(const BusyPage &) = delete;

    // Whether a run holds `page` busy.
    static bool IsBusy(const QWidget *page);

private:
    QWidget *m_page;
    bool m_hiddenAtStart;
    WaitCursor m_wait;
};

} // namespace ardl
