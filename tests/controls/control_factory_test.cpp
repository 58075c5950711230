#include "controls/ControlFactory.h"
#include "controls/VostranePlugin.h"
#include "support/TestSupport.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QWidget>

#include <memory>

using namespace ardl;

namespace {

QStringList OwnProperties(const QObject &o)
{
    const QMetaObject *m = o.metaObject();
    QStringList names;
    for (int i = m->propertyOffset(); i < m->propertyCount(); ++i)
        names << QString::fromLatin1(m->property(i).name());
    return names;
}

QStringList OwnMethods(const QObject &o, QMetaMethod::MethodType type)
{
    const QMetaObject *m = o.metaObject();
    QStringList names;
    for (int i = m->methodOffset(); i < m->methodCount(); ++i) {
        const QMetaMethod method = m->method(i);
        if (method.methodType() != type || method.access() != QMetaMethod::Public)
            continue;
        QString text = QString::fromLatin1(method.methodSignature());
        const QList<QByteArray> params = method.parameterNames();
        if (!params.isEmpty())
            text += QLatin1Char(' ') + QString::fromLatin1(params.join(','));
        names << text;
    }
    return names;
}

std::unique_ptr<QWidget> Create(const QString &progId)
{
    VostranePlugin plugin;
    ControlFactory *factory = qobject_cast<ControlFactory *>(&plugin);
    return std::unique_ptr<QWidget>(factory ? factory->CreateControl(progId, nullptr) : nullptr);
}

} // namespace

TEST(ControlFactory, CheckBoxWebHasItsPropertiesEventsAndMethods)
{
    auto box = Create(QStringLiteral("Vostrane.CheckBoxWeb"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(OwnProperties(*box), (QStringList{"Enabled", "MousePointer", "MouseIcon", "CheckedIn",
                                                "CheckedOut", "UnCheckedIn", "UnCheckedOut", "Checked"}));
    EXPECT_EQ(OwnMethods(*box, QMetaMethod::Signal),
              (QStringList{"Click()", "MouseDown(int,int,float,float) Button,Shift,X,Y",
                           "MouseMove(int,int,float,float) Button,Shift,X,Y",
                           "MouseUp(int,int,float,float) Button,Shift,X,Y", "PropertyChanged(QString) name"}));
    EXPECT_EQ(OwnMethods(*box, QMetaMethod::Method),
              (QStringList{"InCheckBox()", "CheckBoxIN()", "CheckBoxOUT()", "UnCheckBoxIN()", "UnCheckBoxOUT()"}));
    for (const char *name : {"picCheck", "picCheckedIn", "picCheckedOut", "picUnCheckedIn", "picUnCheckedOut"})
        EXPECT_NE(box->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    EXPECT_NE(box->findChild<QObject *>(QStringLiteral("Timer")), nullptr);
}

TEST(ControlFactory, UpDownSlideHasMaxMinValueAndNoEvents)
{
    auto uds = Create(QStringLiteral("Vostrane.UpDownSlide"));
    ASSERT_NE(uds, nullptr);
    EXPECT_EQ(OwnProperties(*uds), (QStringList{"Max", "Min", "Value"}));
    EXPECT_EQ(OwnMethods(*uds, QMetaMethod::Signal), (QStringList{"PropertyChanged(QString) name"}));
}

TEST(ControlFactory, ButtonWebHasItsPropertiesEventsAndMethods)
{
    auto button = Create(QStringLiteral("Vostrane.ButtonWeb"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(OwnProperties(*button),
              (QStringList{"Enabled", "PictureDown", "PictureOut", "PictureIn", "MouseIcon", "MousePointer"}));
    EXPECT_EQ(OwnMethods(*button, QMetaMethod::Signal),
              (QStringList{"Click()", "MouseDown(int,int,float,float) Button,Shift,X,Y",
                           "MouseMove(int,int,float,float) Button,Shift,X,Y",
                           "MouseUp(int,int,float,float) Button,Shift,X,Y", "PropertyChanged(QString) name"}));
    EXPECT_EQ(OwnMethods(*button, QMetaMethod::Method),
              (QStringList{"InButton()", "ButtonIN()", "ButtonOut()", "ButtonDown()"}));
    for (const char *name : {"picButton", "picIN", "picOut", "picDown"})
        EXPECT_NE(button->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    EXPECT_NE(button->findChild<QObject *>(QStringLiteral("Timer")), nullptr);
}

TEST(ControlFactory, ColorChooserAndTransparentFormHaveTheirMembers)
{
    auto chooser = Create(QStringLiteral("Vostrane.ColorChooser"));
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(OwnProperties(*chooser), (QStringList{"BackColor", "Enabled", "HTMLColor"}));
    EXPECT_EQ(OwnMethods(*chooser, QMetaMethod::Signal),
              (QStringList{"Click()", "ColorClick()", "PropertyChanged(QString) name"}));
    for (const char *name : {"picBouton", "picUp", "picDown", "picColor"})
        EXPECT_NE(chooser->findChild<QWidget *>(QLatin1String(name)), nullptr) << name;

    auto form = Create(QStringLiteral("Vostrane.TransparentForm"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(OwnProperties(*form), QStringList{"MaskFile"});
    EXPECT_EQ(OwnMethods(*form, QMetaMethod::Signal), QStringList{"PropertyChanged(QString) name"});
    EXPECT_EQ(OwnMethods(*form, QMetaMethod::Method), QStringList{"ApplySkin(QString) sSkinFile"});
}

TEST(ControlFactory, UnknownClassGivesNoControl)
{
    EXPECT_EQ(Create(QStringLiteral("Vostrane.ButtonWebX")), nullptr);
    EXPECT_EQ(Create(QString()), nullptr);
    VostranePlugin plugin;
    EXPECT_EQ(plugin.ProgIds(), (QStringList{"Vostrane.CheckBoxWeb", "Vostrane.UpDownSlide", "Vostrane.ButtonWeb",
                                             "Vostrane.ColorChooser", "Vostrane.TransparentForm"}));
}
