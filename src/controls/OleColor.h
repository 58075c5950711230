#pragma once

#include <QColor>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace ardl {

// A colour as the controls' properties hold it: 0x00BBGGRR, or a system
// colour 0x800000nn that names one of the desktop's colours by its index
// (5 the window background, 15 the button face, ...).
using OleColor = quint32;

constexpr OleColor SystemColorFlag = 0x80000000;
constexpr OleColor SystemWindowColor = 0x80000005;

// The 0x00BBGGRR value of `color`: the colour itself when it is one, the
// desktop's current colour for a known system colour, nullopt otherwise.
std::optional<OleColor> TranslateColor(OleColor color);

QColor ToQColor(OleColor bgr);
OleColor ToOleColor(const QColor &color);

// The six-digit web text "RRGGBB" of an 0x00BBGGRR colour.
QString WebColorText(OleColor bgr);

} // namespace ardl
