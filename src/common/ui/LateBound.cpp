#include "LateBound.h"

#include "common/core/ErrorReport.h"

#include <QDebug>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>

namespace ardl {

namespace {

// The error the program reports for a name a control does not have.
constexpr int ErrNoSuchMember = 438;

QString ClassName(const QObject *control)
{
    return control ? QString::fromLatin1(control->metaObject()->className()) : QStringLiteral("(none)");
}

void Fail(const QObject *control, const char *name, const QString &what, const char *routine)
{
    const QString description = QStringLiteral("%1 %2.%3").arg(what, ClassName(control), QLatin1String(name));
    qCritical().noquote() << "late-bound access failed:" << description;
    ReportError(ErrNoSuchMember, description, QStringLiteral("in LateBound.%1.").arg(QLatin1String(routine)));
}

QMetaProperty FindProperty(const QObject *control, const char *name)
{
    if (!control)
        return {};
    const QMetaObject *meta = control->metaObject();
    const int index = meta->indexOfProperty(name);
    return index >= 0 ? meta->property(index) : QMetaProperty();
}

QMetaMethod FindSignal(const QObject *control, const char *name)
{
    if (!control)
        return {};
    const QMetaObject *meta = control->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if (m.methodType() == QMetaMethod::Signal && m.name() == name)
            return m;
    }
    return {};
}

// Receives a control's signal by name and hands it to a function.
class EventRelay : public QObject {
    Q_OBJECT
public:
    EventRelay(QObject *context, std::function<void()> plain, MouseHandler mouse)
        : QObject(context), m_plain(std::move(plain)), m_mouse(std::move(mouse)) {}

public slots:
    void fire()
    {
        if (m_plain)
            m_plain();
    }
    void fireMouse(int Button, int Shift, float X, float Y)
    {
        if (m_mouse)
            m_mouse(Button, Shift, X, Y);
    }

private:
    std::function<void()> m_plain;
    MouseHandler m_mouse;
};

bool Connect(QObject *control, const char *name, EventRelay *relay, const char *slot, const char *routine)
{
    const QMetaMethod signal = FindSignal(control, name);
    if (!signal.isValid()) {
        delete relay;
        Fail(control, name, QStringLiteral("No event"), routine);
        return false;
    }
    const QMetaMethod target = relay->metaObject()->method(relay->metaObject()->indexOfSlot(slot));
    if (!QObject::connect(control, signal, relay, target)) {
        delete relay;
        Fail(control, name, QStringLiteral("Event with other arguments:"), routine);
        return false;
    }
    // The relay goes with whichever of the two ends first.
    QObject::connect(control, &QObject::destroyed, relay, &QObject::deleteLater);
    return true;
}

} // namespace

bool SetProp(QObject *control, const char *name, const QVariant &value)
{
    const QMetaProperty property = FindProperty(control, name);
    if (!property.isValid() || !property.isWritable()) {
        Fail(control, name, QStringLiteral("No property"), "SetProp");
        return false;
    }
    if (!QMetaType::canConvert(value.metaType(), property.metaType()) || !property.write(control, value)) {
        Fail(control, name, QStringLiteral("Value does not fit property"), "SetProp");
        return false;
    }
    return true;
}

QVariant GetProp(QObject *control, const char *name)
{
    const QMetaProperty property = FindProperty(control, name);
    if (!property.isValid()) {
        Fail(control, name, QStringLiteral("No property"), "GetProp");
        return {};
    }
    return property.read(control);
}

bool ConnectEvent(QObject *control, const char *name, QObject *context, std::function<void()> handler)
{
    return Connect(control, name, new EventRelay(context, std::move(handler), {}), "fire()", "ConnectEvent");
}

bool ConnectMouseEvent(QObject *control, const char *name, QObject *context, MouseHandler handler)
{
    return Connect(control, name, new EventRelay(context, {}, std::move(handler)),
                   "fireMouse(int,int,float,float)", "ConnectMouseEvent");
}

bool HasEvent(const QObject *control, const char *name)
{
    return FindSignal(control, name).isValid();
}

} // namespace ardl

#include "LateBound.moc"
