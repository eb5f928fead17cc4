// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QWidget>

namespace qm {

// Shows one tile repeated over the whole view, a tile centred, so that its
// seams and the rhythm of the repeat show; at a zoom in percent, or fitted
// so that two by two tiles fill the view. On request one tile is outlined.
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage tile_;
    int zoom_ = 100;
    bool outlined_ = false;
};

}  // namespace qm
