#include "OleColor.h"

#include <QApplication>
#include <QPalette>

#include <array>

namespace ardl {

namespace {

struct SystemColor {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette colour standing for each system colour index; the unused index
// 25 has none.
std::optional<SystemColor> SystemColorOf(quint32 index)
{
    using P = QPalette;
    static const std::array<std::optional<SystemColor>, 31> table{{
        SystemColor{P::Active, P::Button},            // 0 scroll bar
        SystemColor{P::Active, P::Dark},              // 1 desktop
        SystemColor{P::Active, P::Highlight},         // 2 active caption
        SystemColor{P::Inactive, P::Highlight},       // 3 inactive caption
        SystemColor{P::Active, P::Window},            // 4 menu
        SystemColor{P::Active, P::Base},              // 5 window
        SystemColor{P::Active, P::Shadow},            // 6 window frame
        SystemColor{P::Active, P::WindowText},        // 7 menu text
        SystemColor{P::Active, P::Text},              // 8 window text
        SystemColor{P::Active, P::HighlightedText},   // 9 caption text
        SystemColor{P::Active, P::Window},            // 10 active border
        SystemColor{P::Inactive, P::Window},          // 11 inactive border
        SystemColor{P::Active, P::Dark},              // 12 application workspace
        SystemColor{P::Active, P::Highlight},         // 13 highlight
        SystemColor{P::Active, P::HighlightedText},   // 14 highlighted text
        SystemColor{P::Active, P::Button},            // 15 button face
        SystemColor{P::Active, P::Dark},              // 16 button shadow
        SystemColor{P::Disabled, P::Text},            // 17 grey text
        SystemColor{P::Active, P::ButtonText},        // 18 button text
        SystemColor{P::Inactive, P::HighlightedText}, // 19 inactive caption text
        SystemColor{P::Active, P::Light},             // 20 button highlight
        SystemColor{P::Active, P::Shadow},            // 21 dark 3-D shadow
        SystemColor{P::Active, P::Midlight},          // 22 3-D light
        SystemColor{P::Active, P::ToolTipText},       // 23 tooltip text
        SystemColor{P::Active, P::ToolTipBase},       // 24 tooltip background
        std::nullopt,                                 // 25 unused
        SystemColor{P::Active, P::Link},              // 26 hot-tracked item
        SystemColor{P::Active, P::Highlight},         // 27 active caption gradient
        SystemColor{P::Inactive, P::Highlight},       // 28 inactive caption gradient
        SystemColor{P::Active, P::Highlight},         // 29 menu highlight
        SystemColor{P::Active, P::Window},            // 30 menu bar
    }};
    return index < table.size() ? table[index] : std::nullopt;
}

} // namespace

std::optional<OleColor> TranslateColor(OleColor color)
{
    if ((color & 0xFF000000) == 0)
        return color;
    if ((color & 0xFF000000) != SystemColorFlag)
        return std::nullopt;
    const std::optional<SystemColor> system = SystemColorOf(color & 0x00FFFFFF);
    if (!system)
        return std::nullopt;
    return ToOleColor(QApplication::palette().color(system->group, system->role));
}

QColor ToQColor(OleColor bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

OleColor ToOleColor(const QColor &color)
{
    return OleColor(color.red()) | OleColor(color.green()) << 8 | OleColor(color.blue()) << 16;
}

QString WebColorText(OleColor bgr)
{
    return QStringLiteral("%1").arg(ToQColor(bgr).rgb() & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace ardl
