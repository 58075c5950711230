#include "common/ui/RadioGroups.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace ardl {

namespace {

// Tab stops at the chosen option of the group (the first one while none is
// chosen); the arrows move between the options.
void keepTabStopOnChosen(QButtonGroup *group)
{
    const QList<QAbstractButton *> options = group->buttons();
    QAbstractButton *stop = group->checkedButton() ? group->checkedButton() : options.first();
    for (QAbstractButton *option : options) {
        const int policy = option == stop ? option->focusPolicy() | Qt::TabFocus : option->focusPolicy() & ~Qt::TabFocus;
        option->setFocusPolicy(Qt::FocusPolicy(policy));
    }
}

} // namespace

void GroupRadioButtons(QWidget *root)
{
    QList<QWidget *> parents{root};
    parents += root->findChildren<QWidget *>();
    for (QWidget *parent : parents) {
        QButtonGroup *group = nullptr;
        for (QRadioButton *option : parent->findChildren<QRadioButton *>(Qt::FindDirectChildrenOnly)) {
            if (option->group() || !option->autoExclusive())
                continue;
            if (!group)
                group = new QButtonGroup(parent);
            group->addButton(option);
        }
        if (!group)
            continue;
        keepTabStopOnChosen(group);
        QObject::connect(group, &QButtonGroup::buttonToggled, group, [group] { keepTabStopOnChosen(group); });
    }
}

} // namespace ardl
