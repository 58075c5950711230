#pragma once

#include <QPointer>

namespace ardl {

// The one pop-up of a kind that is open at a time, as the pop-ups of the
// controls are (there is one pointer, so one pop-up): opening one closes
// the one before it. A closed pop-up is hidden at once and deleted once the
// events already on their way to it are done.
template <class Form>
class SinglePopup {
public:
    // Closes the open pop-up, then makes the one `make` creates the open one.
    template <class Make>
    Form *open(Make make)
    {
        close();
        m_form = make();
        return m_form;
    }
    // The pop-up now open, if any.
    Form *current() const { return m_form; }
    void close()
    {
        if (!m_form)
            return;
        Form *form = m_form;
        m_form = nullptr;
        form->hide();
        form->deleteLater();
    }

private:
    QPointer<Form> m_form;
};

} // namespace ardl
