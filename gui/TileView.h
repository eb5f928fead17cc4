// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

namespace qm {

// Shows one tile repeated over the whole view, a tile centred, so that its
// seams and the rhythm of the repeat show; at a zoom in percent, or fitted
// so that two by two tiles fill the view. Below half its size the tile is
// reduced by averaging the area of each shown pixel in linear light, so
// fine lines neither vanish nor flicker. On request one tile is outlined.
class TileView : public QWidget {
public:
    explicit TileView(QWidget* parent = nullptr);

    void SetTile(const QImage& tile);
    void Clear();
    // Percent of the tile's size; 0 fits two by two tiles into the view.
    void SetZoom(int percent);
    void SetOutlined(bool outlined);

    // The screen pixels per tile pixel as shown now.
    double Scale() const;
    // Whether the tile is larger than the view either way.
    bool TileExceedsView() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The tile at the size shown.
    const QImage& Shown(QSize size, double scale);

    QImage tile_;
    QImage shown_;
    int zoom_ = 100;
    bool outlined_ = false;
};

}  // namespace qm
