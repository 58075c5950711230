#include "VostranePlugin.h"

#include "ButtonWeb.h"
#include "CheckBoxWeb.h"
#include "ColorChooser.h"
#include "TransparentForm.h"
#include "UpDownSlide.h"

namespace ardl {

namespace {
const QString CheckBoxWebId = QStringLiteral("Vostrane.CheckBoxWeb");
const QString UpDownSlideId = QStringLiteral("Vostrane.UpDownSlide");
const QString ButtonWebId = QStringLiteral("Vostrane.ButtonWeb");
const QString ColorChooserId = QStringLiteral("Vostrane.ColorChooser");
const QString TransparentFormId = QStringLiteral("Vostrane.TransparentForm");
} // namespace

QWidget *VostranePlugin::CreateControl(const QString &progId, QWidget *parent)
{
    if (progId == CheckBoxWebId)
        return new CheckBoxWeb(parent);
    if (progId == UpDownSlideId)
        return new UpDownSlide(parent);
    if (progId == ButtonWebId)
        return new ButtonWeb(parent);
    if (progId == ColorChooserId)
        return new ColorChooser(parent);
    if (progId == TransparentFormId)
        return new TransparentForm(parent);
    return nullptr;
}

QStringList VostranePlugin::ProgIds() const
{
    return {CheckBoxWebId, UpDownSlideId, ButtonWebId, ColorChooserId, TransparentFormId};
}

} // namespace ardl
