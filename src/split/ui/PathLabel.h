#pragma once

#include <QLabel>

namespace ardl {

// A label for a path or a figure that may not fit: it keeps its whole text
// but shows it shortened in the middle ("/home/…/Report.doc"), so that the
// file name stays in view; the whole text is its tool tip.
class PathLabel : public QLabel {
    Q_OBJECT
public:
    explicit PathLabel(QWidget *parent = nullptr);

    void setText(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace ardl
