#include "SpinButtons.h"

#include <QToolButton>

#include <algorithm>

namespace ardl {

SpinButtons::SpinButtons(QWidget *parent)
    : QWidget(parent)
    , cmdUp(new QToolButton(this))
    , cmdDown(new QToolButton(this))
{
    cmdUp->setObjectName(QStringLiteral("cmdUp"));
    cmdDown->setObjectName(QStringLiteral("cmdDown"));
    cmdUp->setArrowType(Qt::UpArrow);
    cmdDown->setArrowType(Qt::DownArrow);
    for (QToolButton *b : {cmdUp, cmdDown}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    connect(cmdUp, &QToolButton::clicked, this, [this] { step(1); });
    connect(cmdDown, &QToolButton::clicked, this, [this] { step(-1); });
}

void SpinButtons::setValue(int value)
{
    value = std::clamp(value, m_min, m_max);
    if (value == m_value)
        return;
    m_value = value;
    emit Change();
}

void SpinButtons::setMin(int min)
{
    m_min = min;
    m_max = std::max(m_max, min);
    clampValue();
}

void SpinButtons::setMax(int max)
{
    m_max = max;
    m_min = std::min(m_min, max);
    clampValue();
}

void SpinButtons::step(int delta)
{
    const qint64 next = static_cast<qint64>(m_value) + delta;
    setValue(static_cast<int>(std::clamp<qint64>(next, m_min, m_max)));
}

void SpinButtons::clampValue()
{
    setValue(m_value);
}

void SpinButtons::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    cmdUp->setGeometry(0, 0, width(), upper);
    cmdDown->setGeometry(0, upper, width(), height() - upper);
}

} // namespace ardl
