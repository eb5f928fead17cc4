// SPDX-License-Identifier: MIT
#include "gui/TileView.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPixmap>

#include "effects/ScaleDown.h"
#include "gui/ImageConversion.h"

namespace qm {

TileView::TileView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(64, 64);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TileView::SetTile(const QImage& tile)
{
    tile_ = tile;
    shown_ = QImage();
    update();
}

void TileView::Clear()
{
    tile_ = QImage();
    shown_ = QImage();
    update();
}

bool TileView::TileExceedsView() const
{
    return !tile_.isNull() && (tile_.width() > width() || tile_.height() > height());
}

const QImage& TileView::Shown(QSize size, double scale)
{
    if (shown_.size() != size) {
        // Enlarged tiles keep their pixels sharp; slightly reduced ones are
        // interpolated, much reduced ones averaged.
        shown_ = scale < 0.5 ? QImageFromImage(ScaleDown(ImageFromQImage(tile_), size.width(),
                                                         size.height()))
                 : tile_.scaled(size, Qt::IgnoreAspectRatio,
                                scale >= 1.0 ? Qt::FastTransformation : Qt::SmoothTransformation);
    }
    return shown_;
}

void TileView::SetZoom(int percent)
{
    zoom_ = percent;
    update();
}

void TileView::SetOutlined(bool outlined)
{
    outlined_ = outlined;
    update();
}

double TileView::Scale() const
{
    if (zoom_ > 0 || tile_.isNull()) {
        return zoom_ / 100.0;
    }
    return std::min(width() / (2.0 * tile_.width()), height() / (2.0 * tile_.height()));
}

void TileView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (tile_.isNull()) {
        return;
    }
    const double scale = Scale();
    const QSize shown(std::max(1, static_cast<int>(std::lround(tile_.width() * scale))),
                      std::max(1, static_cast<int>(std::lround(tile_.height() * scale))));
    const QPixmap pixmap = QPixmap::fromImage(Shown(shown, scale));
    const QPoint origin((width() - shown.width()) / 2, (height() - shown.height()) / 2);
    painter.setBrushOrigin(origin);
    painter.fillRect(rect(), QBrush(pixmap));
    if (outlined_) {
        const QRect one(origin, shown);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawRect(one.adjusted(0, 0, -1, -1));
        painter.setPen(QPen(Qt::yellow, 1, Qt::DashLine));
        painter.drawRect(one.adjusted(0, 0, -1, -1));
    }
}

}  // namespace qm
