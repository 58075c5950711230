// Draws the page-button pictures, the splash picture and the program icon into <resources>/bitmaps and <resources>/icons.
// Run: QT_QPA_PLATFORM=offscreen drawbitmaps <resources-folder> [contact-sheet.png]

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr QSize kButtonSize(70, 52);
constexpr QSize kSplashSize(500, 350);
constexpr QPoint kPictogramOrigin(23, 4); // top-left of the 24 x 24 pictogram box
constexpr int kCaptionTop = 31;
constexpr int kCaptionMaxWidth = 64;

QString fontFamily()
{
    return QStringLiteral("DejaVu Sans");
}

QFont boldFont(int pixelSize)
{
    QFont font(fontFamily());
    font.setBold(true);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// ---------------------------------------------------------------------------
// Page buttons

enum class ButtonState { Plain, Hover, Selected };

struct ButtonStyle {
    QColor top;          // background gradient, top
    QColor bottom;       // background gradient, bottom
    QColor outline;      // outer 1 px border
    QColor edgeTopLeft;  // inner bevel, top and left
    QColor edgeBottomRight;
    int edgeWidth;       // 0: flat
    QColor ink;          // pictogram
    QColor caption;
    QPoint shift;        // content offset, 1 px down-right when pressed
};

ButtonStyle styleFor(ButtonState state)
{
    switch (state) {
    case ButtonState::Plain:
        return {QColor(0xDC, 0xE1, 0xE7), QColor(0xDC, 0xE1, 0xE7), QColor(0xB4, 0xBD, 0xC8),
                {}, {}, 0, QColor(0x4A, 0x55, 0x66), QColor(0x2E, 0x36, 0x42), {0, 0}};
    case ButtonState::Hover:
        return {QColor(0xFF, 0xFF, 0xFF), QColor(0xE4, 0xEE, 0xFA), QColor(0x6F, 0x8F, 0xBA),
                QColor(0xFF, 0xFF, 0xFF), QColor(0x84, 0x98, 0xB4), 1,
                QColor(0x1F, 0x62, 0xB8), QColor(0x12, 0x2A, 0x4A), {0, 0}};
    case ButtonState::Selected:
        return {QColor(0x1E, 0x4F, 0x98), QColor(0x2F, 0x6F, 0xC8), QColor(0x0E, 0x2A, 0x55),
                QColor(0x12, 0x33, 0x66), QColor(0x6E, 0x9E, 0xE0), 2,
                QColor(0xFF, 0xD8, 0x6A), QColor(0xFF, 0xFF, 0xFF), {1, 1}};
    }
    return styleFor(ButtonState::Plain);
}

QPen inkPen(const QColor &ink, qreal width = 2.0)
{
    return QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void fillTriangle(QPainter &p, const QColor &ink, QPointF a, QPointF b, QPointF c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const std::array<QPointF, 3> points{a, b, c};
    p.drawPolygon(points.data(), int(points.size()));
}

// Each pictogram draws into a 24 x 24 box whose top-left is the painter's origin.

void drawRenamePictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 1.6));
    p.drawLine(QPointF(3, 22), QPointF(21, 22)); // the line being written on
    p.save();
    p.translate(13.5, 11);
    p.rotate(-45);
    p.setBrush(ink);
    p.drawRect(QRectF(-5, -3, 13, 6));           // body
    p.setBrush(Qt::NoBrush);
    const std::array<QPointF, 3> tip{QPointF(-5, -3), QPointF(-11, 0), QPointF(-5, 3)};
    p.drawPolygon(tip.data(), int(tip.size()));
    p.restore();
}

void drawUndoPictogram(QPainter &p, const QColor &ink)
{
    QPainterPath hook;
    hook.moveTo(8, 7);
    hook.lineTo(14, 7);
    hook.arcTo(QRectF(7.5, 7, 13, 13), 90, -180);
    hook.lineTo(6, 20);
    p.setPen(inkPen(ink, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    fillTriangle(p, ink, QPointF(1.5, 7), QPointF(9, 1.5), QPointF(9, 12.5));
}

void drawSplitPictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(9, 15), QPointF(18, 1.5)); // blades
    p.drawLine(QPointF(15, 15), QPointF(6, 1.5));
    p.drawEllipse(QPointF(6.5, 18.5), 3.8, 3.8);  // finger rings
    p.drawEllipse(QPointF(17.5, 18.5), 3.8, 3.8);
}

void drawSyncPictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 2.4));
    p.drawLine(QPointF(2, 7), QPointF(16, 7));
    p.drawLine(QPointF(8, 17), QPointF(22, 17));
    fillTriangle(p, ink, QPointF(23, 7), QPointF(15, 1.5), QPointF(15, 12.5));
    fillTriangle(p, ink, QPointF(1, 17), QPointF(9, 11.5), QPointF(9, 22.5));
}

void drawZipPictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(3, 2, 18, 20), 2, 2);
    p.setPen(inkPen(ink, 1.4));
    for (int y = 4; y <= 12; y += 2) {          // zipper teeth, alternating sides
        const qreal left = (y / 2) % 2 ? 12 : 9;
        p.drawLine(QPointF(left, y), QPointF(left + 3, y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(9, 14, 6, 6), 1, 1); // pull tab
}

void drawMp3Pictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 2.0));
    p.drawLine(QPointF(10, 18), QPointF(10, 5));  // stems
    p.drawLine(QPointF(21, 16), QPointF(21, 3));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    const std::array<QPointF, 4> beam{QPointF(9, 4), QPointF(22, 1.5), QPointF(22, 6), QPointF(9, 8.5)};
    p.drawPolygon(beam.data(), int(beam.size()));
    for (const QPointF head : {QPointF(6.5, 18.5), QPointF(17.5, 16.5)}) {
        p.save();
        p.translate(head);
        p.rotate(-20);
        p.drawEllipse(QPointF(0, 0), 4.2, 3.0);
        p.restore();
    }
}

void drawExitPictogram(QPainter &p, const QColor &ink)
{
    QPainterPath door;
    door.moveTo(13, 7);
    door.lineTo(13, 2);
    door.lineTo(3, 2);
    door.lineTo(3, 22);
    door.lineTo(13, 22);
    door.lineTo(13, 17);
    p.setPen(inkPen(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(door);
    p.setPen(inkPen(ink, 2.4));
    p.drawLine(QPointF(8, 12), QPointF(17, 12));
    fillTriangle(p, ink, QPointF(23, 12), QPointF(16, 6.5), QPointF(16, 17.5));
}

void drawAboutPictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(12, 7), 1.8, 1.8);
    p.drawRect(QRectF(10.6, 10, 2.8, 8));
}

void drawHelpPictogram(QPainter &p, const QColor &ink)
{
    p.setPen(inkPen(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.setFont(boldFont(15));
    p.drawText(QRectF(0, 0, 24, 24), Qt::AlignCenter, QStringLiteral("?"));
}

using Pictogram = void (*)(QPainter &, const QColor &);

struct ButtonSpec {
    const char *word;    // resource name part: BTN_<word>
    const char *caption;
    Pictogram pictogram;
};

const std::array<ButtonSpec, 9> &buttonSpecs()
{
    static const std::array<ButtonSpec, 9> specs{{
        {"RENAME", "Rename", drawRenamePictogram},
        {"UNDO", "Undo", drawUndoPictogram},
        {"SPLIT", "Split", drawSplitPictogram},
        {"SYNC", "Sync", drawSyncPictogram},
        {"ZIP", "Zip", drawZipPictogram},
        {"MP3", "Mp3", drawMp3Pictogram},
        {"EXIT", "Exit", drawExitPictogram},
        {"ABOUT", "About", drawAboutPictogram},
        {"HELP", "Help", drawHelpPictogram},
    }};
    return specs;
}

// One caption size for all buttons, the largest at which every caption fits.
int captionPixelSize()
{
    for (int size = 12; size > 7; --size) {
        const QFontMetrics metrics(boldFont(size));
        bool fits = true;
        for (const ButtonSpec &spec : buttonSpecs())
            fits = fits && metrics.horizontalAdvance(QString::fromLatin1(spec.caption)) <= kCaptionMaxWidth;
        if (fits)
            return size;
    }
    return 8;
}

void paintButtonBackground(QPainter &p, const ButtonStyle &style)
{
    QLinearGradient gradient(0, 0, 0, kButtonSize.height());
    gradient.setColorAt(0, style.top);
    gradient.setColorAt(1, style.bottom);
    p.fillRect(QRect(QPoint(0, 0), kButtonSize), gradient);
}

// Outer border plus a bevel: light top-left for raised, dark top-left for sunken.
void paintButtonFrame(QPainter &p, const ButtonStyle &style)
{
    const int right = kButtonSize.width() - 1;
    const int bottom = kButtonSize.height() - 1;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= style.edgeWidth; ++i) {
        p.setPen(style.edgeTopLeft);
        p.drawLine(i, i, right - i, i);
        p.drawLine(i, i, i, bottom - i);
        p.setPen(style.edgeBottomRight);
        p.drawLine(i, bottom - i, right - i, bottom - i);
        p.drawLine(right - i, i, right - i, bottom - i);
    }
    p.setPen(style.outline);
    p.drawRect(0, 0, right, bottom);
    p.restore();
}

void paintCaption(QPainter &p, const QString &caption, const QColor &colour, int pixelSize)
{
    p.setFont(boldFont(pixelSize));
    p.setPen(colour);
    p.drawText(QRect(0, kCaptionTop, kButtonSize.width(), kButtonSize.height() - kCaptionTop - 4),
               Qt::AlignHCenter | Qt::AlignVCenter, caption);
}

QImage drawButton(const ButtonSpec &spec, ButtonState state, int captionSize)
{
    const ButtonStyle style = styleFor(state);
    QImage image(kButtonSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintButtonBackground(p, style);
    paintButtonFrame(p, style);
    p.translate(style.shift);
    p.save();
    p.translate(kPictogramOrigin);
    spec.pictogram(p, style.ink);
    p.restore();
    paintCaption(p, QString::fromLatin1(spec.caption), style.caption, captionSize);
    return image;
}

QString buttonFileName(const ButtonSpec &spec, ButtonState state)
{
    static const std::array<const char *, 3> suffixes{"", "_UP", "_SELECT"};
    return QStringLiteral("BTN_%1%2.png").arg(QLatin1String(spec.word),
                                              QLatin1String(suffixes[size_t(state)]));
}

// ---------------------------------------------------------------------------
// Splash

void paintSplashSky(QPainter &p)
{
    QLinearGradient sky(0, 0, kSplashSize.width() * 0.4, kSplashSize.height());
    sky.setColorAt(0.0, QColor(0x0C, 0x15, 0x30));
    sky.setColorAt(0.55, QColor(0x17, 0x35, 0x62));
    sky.setColorAt(1.0, QColor(0x1E, 0x57, 0x7E));
    p.fillRect(QRect(QPoint(0, 0), kSplashSize), sky);
}

void paintSplashStars(QPainter &p)
{
    QRandomGenerator random(20);            // fixed seed: the picture is the same on every run
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 90; ++i) {
        const QPointF at(random.bounded(kSplashSize.width()), random.bounded(260));
        const qreal radius = 0.5 + random.bounded(1.1);
        p.setBrush(QColor(255, 255, 240, 70 + random.bounded(150)));
        p.drawEllipse(at, radius, radius);
    }
}

void paintSplashMoon(QPainter &p, QPointF centre, qreal radius)
{
    QRadialGradient glow(centre, radius * 3.2);
    glow.setColorAt(0, QColor(255, 236, 190, 70));
    glow.setColorAt(1, QColor(255, 236, 190, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius * 3.2, radius * 3.2);

    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(radius * 0.42, -radius * 0.26), radius * 0.88, radius * 0.88);
    QLinearGradient light(centre - QPointF(radius, radius), centre + QPointF(radius, radius));
    light.setColorAt(0, QColor(0xFF, 0xF4, 0xD2));
    light.setColorAt(1, QColor(0xE8, 0xC8, 0x78));
    p.setBrush(light);
    p.drawPath(disc.subtracted(bite));
}

void paintSplashHills(QPainter &p)
{
    const qreal w = kSplashSize.width();
    const qreal h = kSplashSize.height();
    QPainterPath far;
    far.moveTo(0, 262);
    far.cubicTo(w * 0.25, 228, w * 0.55, 284, w, 244);
    far.lineTo(w, h);
    far.lineTo(0, h);
    QPainterPath near;
    near.moveTo(0, 292);
    near.cubicTo(w * 0.35, 268, w * 0.7, 306, w, 282);
    near.lineTo(w, h);
    near.lineTo(0, h);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0B, 0x1F, 0x3A, 150));
    p.drawPath(far);
    p.setBrush(QColor(0x07, 0x13, 0x26, 225));
    p.drawPath(near);
}

void paintSplashName(QPainter &p)
{
    QFont font = boldFont(70);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    const QString name = QStringLiteral("Ardelune");
    const QRect box(0, 110, kSplashSize.width(), 96);

    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(box.translated(3, 3), Qt::AlignCenter, name);

    QLinearGradient fill(0, box.top() + 18, 0, box.bottom() - 18);
    fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    fill.setColorAt(1, QColor(0xC4, 0xD8, 0xF2));
    p.setPen(QPen(QBrush(fill), 1));
    p.drawText(box, Qt::AlignCenter, name);

    QLinearGradient rule(90, 0, kSplashSize.width() - 90, 0);
    rule.setColorAt(0, QColor(0xE8, 0xC8, 0x78, 0));
    rule.setColorAt(0.5, QColor(0xE8, 0xC8, 0x78, 230));
    rule.setColorAt(1, QColor(0xE8, 0xC8, 0x78, 0));
    p.fillRect(QRectF(90, box.bottom() + 8, kSplashSize.width() - 180, 2), rule);
}

QImage drawSplash()
{
    QImage image(kSplashSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintSplashSky(p);
    paintSplashStars(p);
    paintSplashMoon(p, QPointF(408, 70), 34);
    paintSplashHills(p);
    paintSplashName(p);
    return image;
}

// ---------------------------------------------------------------------------
// Program icon: a white "A" with a gold bar on a blue rounded square

QImage drawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 32.0;               // drawn on a 32-unit grid
    p.scale(s, s);

    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, QColor(0x3C, 0x7E, 0xD8));
    tile.setColorAt(1, QColor(0x17, 0x3F, 0x80));
    p.setPen(QPen(QColor(0x0E, 0x2A, 0x55), 1.0 / s));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5 / s, 0.5 / s, 32 - 1 / s, 32 - 1 / s), 6, 6);

    const qreal stroke = size <= 16 ? 4.4 : 4.0;
    QPainterPath legs;
    legs.moveTo(7, 26.5);
    legs.lineTo(16, 5.5);
    legs.lineTo(25, 26.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, stroke, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
    p.drawPath(legs);
    p.setPen(QPen(QColor(0xFF, 0xCC, 0x4D), stroke * 0.85, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 19), QPointF(21, 19));
    return image;
}

// ---------------------------------------------------------------------------
// Output

bool save(const QImage &image, const QString &path)
{
    if (image.save(path, "PNG"))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

bool writeButtons(const QDir &bitmaps)
{
    const int captionSize = captionPixelSize();
    bool ok = true;
    for (const ButtonSpec &spec : buttonSpecs()) {
        for (ButtonState state : {ButtonState::Plain, ButtonState::Hover, ButtonState::Selected})
            ok = save(drawButton(spec, state, captionSize), bitmaps.filePath(buttonFileName(spec, state))) && ok;
    }
    return ok;
}

bool writeIcons(const QDir &icons)
{
    bool ok = true;
    for (int size : {16, 32, 48})
        ok = save(drawIcon(size), icons.filePath(QStringLiteral("ardl%1.png").arg(size))) && ok;
    return ok;
}

// A contact sheet for checking the results by eye: all buttons at 2x (a row per state),
// the button column at 1x as it sits in the window, the splash and the icons.
QImage drawContactSheet()
{
    const int captionSize = captionPixelSize();
    const int gap = 8;
    const QSize zoomed = kButtonSize * 2;
    const int sheetWidth = 9 * zoomed.width() + 10 * gap;
    const int gridHeight = 3 * zoomed.height() + 4 * gap;
    const int lowerHeight = std::max(kSplashSize.height(), 9 * kButtonSize.height()) + gap;
    QImage sheet(sheetWidth, gridHeight + lowerHeight, QImage::Format_RGB32);
    sheet.fill(QColor(0x80, 0x80, 0x80));
    QPainter p(&sheet);

    const std::array<ButtonState, 3> states{ButtonState::Plain, ButtonState::Hover, ButtonState::Selected};
    for (size_t row = 0; row < states.size(); ++row) {
        for (size_t col = 0; col < buttonSpecs().size(); ++col) {
            const QImage button = drawButton(buttonSpecs()[col], states[row], captionSize);
            const QPoint at(gap + int(col) * (zoomed.width() + gap), gap + int(row) * (zoomed.height() + gap));
            p.drawImage(at, button.scaled(zoomed, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        }
    }

    const int lowerTop = gridHeight;
    for (size_t i = 0; i < buttonSpecs().size(); ++i) {
        const ButtonState state = i == 0 ? ButtonState::Selected : i == 1 ? ButtonState::Hover : ButtonState::Plain;
        p.drawImage(QPoint(gap, lowerTop + int(i) * kButtonSize.height()), drawButton(buttonSpecs()[i], state, captionSize));
    }
    const int splashLeft = 2 * gap + kButtonSize.width();
    p.drawImage(QPoint(splashLeft, lowerTop), drawSplash());
    int iconLeft = splashLeft + kSplashSize.width() + gap;
    for (int size : {16, 32, 48}) {
        const QImage icon = drawIcon(size);
        p.drawImage(QPoint(iconLeft, lowerTop), icon);
        p.drawImage(QPoint(iconLeft, lowerTop + 60), icon.scaled(icon.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        iconLeft += size * 4 + gap;
    }
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || args.size() > 3) {
        std::fprintf(stderr, "usage: drawbitmaps <resources-folder> [contact-sheet.png]\n");
        return 2;
    }
    const QDir resources(args.at(1));
    if (!resources.mkpath(QStringLiteral("bitmaps")) || !resources.mkpath(QStringLiteral("icons"))) {
        std::fprintf(stderr, "cannot create folders under %s\n", qPrintable(args.at(1)));
        return 1;
    }
    bool ok = writeButtons(QDir(resources.filePath(QStringLiteral("bitmaps"))));
    ok = save(drawSplash(), resources.filePath(QStringLiteral("bitmaps/SPLASH.png"))) && ok;
    ok = writeIcons(QDir(resources.filePath(QStringLiteral("icons")))) && ok;
    if (args.size() == 3)
        ok = save(drawContactSheet(), args.at(2)) && ok;
    return ok ? 0 : 1;
}
