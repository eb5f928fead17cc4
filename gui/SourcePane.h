// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>

namespace qm {

// The picture a preview's piece is cut from, fitted into the pane, with the
// cut's rectangle on it. A click or a drag moves the cut so that it is
// centred where the pointer is, kept inside the picture, and tells of the
// new top left corner.
class SourcePane : public QWidget {
    Q_OBJECT

public:
    explicit SourcePane(QWidget* parent = nullptr);

    // The picture and the cut on it, in the picture's pixels.
    void SetPicture(const QImage& picture, const QRect& cut);
    void Clear();

    QSize sizeHint() const override { return {240, 240}; }

signals:
    // The cut's new top left corner, in the picture's pixels.
    void Placed(int x0, int y0);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Where the picture is drawn in the pane.
    QRectF Target() const;
    void PlaceAt(QPointF point);

    QImage picture_;
    QRect cut_;
};

}  // namespace qm
