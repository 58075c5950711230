#include "VostranePlugin.h"

#include "CheckBoxWeb.h"
#include "UpDownSlide.h"

namespace ardl {

namespace {
const QString CheckBoxWebId = QStringLiteral("Vostrane.CheckBoxWeb");
const QString UpDownSlideId = QStringLiteral("Vostrane.UpDownSlide");
} // namespace

QWidget *VostranePlugin::CreateControl(const QString &progId, QWidget *parent)
{
    if (progId == CheckBoxWebId)
        return new CheckBoxWeb(parent);
    if (progId == UpDownSlideId)
        return new UpDownSlide(parent);
    return nullptr;
}

QStringList VostranePlugin::ProgIds() const
{
    return {CheckBoxWebId, UpDownSlideId};
}

} // namespace ardl
