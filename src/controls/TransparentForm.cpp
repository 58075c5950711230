#include "TransparentForm.h"

#include "PropertyBag.h"

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <vector>

namespace ardl {

std::optional<QRegion> SkinRegion(const QImage &skin)
{
    if (skin.isNull())
        return std::nullopt;
    // Alpha counts: a transparent key pixel only matches transparent pixels.
    const QImage image = skin.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, 0);
    // Bands of rows whose runs of kept pixels are the same, each band one
    // rectangle per run: the form QRegion::setRects takes (sorted, one
    // height per band, runs of a band never touching).
    std::vector<QRect> rects;
    std::vector<QRect> row;
    std::size_t bandStart = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        row.clear();
        for (int x = 0; x < image.width();) {
            while (x < image.width() && pixels[x] == key)
                ++x;
            const int start = x;
            while (x < image.width() && pixels[x] != key)
                ++x;
            if (x > start)
                row.emplace_back(start, y, x - start, 1);
        }
        const bool sameAsBand = !row.empty() && rects.size() - bandStart == row.size()
                             && rects.back().bottom() == y - 1
                             && std::equal(row.begin(), row.end(), rects.begin() + bandStart,
                                           [](const QRect &a, const QRect &b) {
                                               return a.left() == b.left() && a.width() == b.width();
                                           });
        if (sameAsBand) {
            for (auto r = rects.begin() + bandStart; r != rects.end(); ++r)
                r->setBottom(y);
        } else if (!row.empty()) {
            bandStart = rects.size();
            rects.insert(rects.end(), row.begin(), row.end());
        }
    }
    if (rects.empty())
        return std::nullopt;
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

TransparentForm::TransparentForm(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TransparentForm"));
    // Resizing has no effect: the control keeps its size.
    setFixedSize(ControlSize, ControlSize);
    InitProperties();
}

bool TransparentForm::ApplySkin(const QString &sSkinFile)
{
    QWidget *host = parentWidget() ? parentWidget()->window() : nullptr;
    if (!host)
        return false;
    QImageReader reader(sSkinFile);
    const std::optional<QRegion> region = SkinRegion(reader.read());
    if (!region)
        return false;
    host->setMask(*region);
    return true;
}

QString TransparentForm::MaskFile() const
{
    return m_maskFile;
}

void TransparentForm::setMaskFile(const QString &file)
{
    m_maskFile = file;
    emit PropertyChanged(QStringLiteral("MaskFile"));
}

void TransparentForm::InitProperties()
{
    m_maskFile.clear();
}

void TransparentForm::ReadProperties(const PropertyBag &bag)
{
    m_maskFile = bag.ReadProperty(QStringLiteral("MaskFile"), QString()).toString();
}

void TransparentForm::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("MaskFile"), m_maskFile, QString());
}

} // namespace ardl
