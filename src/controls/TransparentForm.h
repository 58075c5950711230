#pragma once

#include <QRegion>
#include <QWidget>

#include <optional>

class QImage;

namespace ardl {

class PropertyBag;

// Shapes the window it is placed on by a skin picture: ApplySkin keeps only
// the picture's pixels that differ from its top-left pixel (the key colour),
// laid over the window from its top-left corner. The control itself shows
// nothing and keeps a fixed size (570 x 570 twips).
class TransparentForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString MaskFile READ MaskFile WRITE setMaskFile)
public:
    // In pixels.
    static constexpr int ControlSize = 38;

    explicit TransparentForm(QWidget *parent = nullptr);

    // Shapes the window holding the control by the picture `sSkinFile`.
    // False, leaving the window's shape as it was, when the control is not
    // on a window of its own host, the picture is missing or unreadable, or
    // it has no pixel outside the key colour.
    Q_INVOKABLE bool ApplySkin(const QString &sSkinFile);

    // A stored file name; ApplySkin does not use it.
    QString MaskFile() const;
    void setMaskFile(const QString &file);

    // Saved properties: defaults for a new control, and the bag round trip.
    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

signals:
    // A property the host should save has been set.
    void PropertyChanged(const QString &name);

private:
    QString m_maskFile;
};

// The region of the pixels of `skin` that differ from its top-left pixel;
// nullopt when that leaves nothing.
std::optional<QRegion> SkinRegion(const QImage &skin);

} // namespace ardl
