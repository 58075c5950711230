#include "controls/PropertyBag.h"
#include "controls/TransparentForm.h"
#include "support/TestSupport.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

using namespace ardl;

namespace {

class TransparentFormTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        window.resize(300, 300);
        form = new TransparentForm(&window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    // A `size` picture of the key colour with an opaque `square` of another.
    QString Skin(const QString &name, QSize size, QRect square, QColor key = Qt::magenta) const
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(key);
        for (int y = square.top(); y <= square.bottom(); ++y)
            for (int x = square.left(); x <= square.right(); ++x)
                image.setPixelColor(x, y, QColor(20, 40, 60));
        const QString file = path(name);
        EXPECT_TRUE(image.save(file));
        return file;
    }

    QWidget window;
    TransparentForm *form = nullptr;
};

} // namespace

TEST_F(TransparentFormTest, KeepsThePixelsOutsideTheKeyColour)
{
    ASSERT_TRUE(form->ApplySkin(Skin(QStringLiteral("skin.png"), QSize(200, 200), QRect(50, 50, 100, 100))));
    EXPECT_EQ(window.mask().boundingRect(), QRect(50, 50, 100, 100));
    EXPECT_EQ(window.mask(), QRegion(50, 50, 100, 100));

    // Two shapes, and a transparent key colour.
    QImage image(120, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int x = 0; x < 10; ++x) {
        image.setPixelColor(20 + x, 5, Qt::black);
        image.setPixelColor(100 + x, 30, QColor(0, 0, 0, 128));
    }
    ASSERT_TRUE(image.save(path(QStringLiteral("two.png"))));
    ASSERT_TRUE(form->ApplySkin(path(QStringLiteral("two.png"))));
    EXPECT_EQ(window.mask(), QRegion(20, 5, 10, 1).united(QRegion(100, 30, 10, 1)));
}

TEST_F(TransparentFormTest, ABadSkinReturnsFalseAndKeepsTheShape)
{
    ASSERT_TRUE(form->ApplySkin(Skin(QStringLiteral("skin.png"), QSize(200, 200), QRect(50, 50, 100, 100))));
    const QRegion shape = window.mask();
    EXPECT_FALSE(form->ApplySkin(path(QStringLiteral("missing.png"))));
    EXPECT_FALSE(form->ApplySkin(writeFile(QStringLiteral("broken.png"), "not a picture")));
    // All key colour: nothing would be left of the window.
    EXPECT_FALSE(form->ApplySkin(Skin(QStringLiteral("empty.png"), QSize(40, 40), QRect())));
    EXPECT_FALSE(form->ApplySkin(QString()));
    EXPECT_EQ(window.mask(), shape);

    TransparentForm alone;
    EXPECT_FALSE(alone.ApplySkin(path(QStringLiteral("skin.png"))));
    EXPECT_TRUE(alone.mask().isEmpty());
}

TEST_F(TransparentFormTest, KeepsItsSizeAndItsMaskFile)
{
    EXPECT_EQ(form->size(), QSize(38, 38));
    form->resize(200, 10);
    EXPECT_EQ(form->size(), QSize(38, 38));

    QSignalSpy changed(form, &TransparentForm::PropertyChanged);
    form->setMaskFile(QStringLiteral("skin.bmp"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(window.mask().isEmpty());   // nothing visible changes

    PropertyBag defaults;
    TransparentForm().WriteProperties(defaults);
    EXPECT_TRUE(defaults.Names().isEmpty());
    PropertyBag bag;
    form->WriteProperties(bag);
    TransparentForm loaded;
    loaded.ReadProperties(bag);
    EXPECT_EQ(loaded.MaskFile(), QStringLiteral("skin.bmp"));
}
