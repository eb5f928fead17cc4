// SPDX-License-Identifier: MIT
#include "gui/SourcePane.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>

namespace qm {

SourcePane::SourcePane(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 120);
    setCursor(Qt::CrossCursor);
}

void SourcePane::SetPicture(const QImage& picture, const QRect& cut)
{
    picture_ = picture;
    cut_ = cut;
    update();
}

void SourcePane::Clear()
{
    picture_ = QImage();
    update();
}

QRectF SourcePane::Target() const
{
    if (picture_.isNull()) {
        return {};
    }
    const double scale = std::min(static_cast<double>(width()) / picture_.width(),
                                  static_cast<double>(height()) / picture_.height());
    const QSizeF size(picture_.width() * scale, picture_.height() * scale);
    return {QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

void SourcePane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    if (picture_.isNull()) {
        return;
    }
    const QRectF target = Target();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture_);
    const double scale = target.width() / picture_.width();
    const QRectF cut(target.left() + cut_.x() * scale, target.top() + cut_.y() * scale,
                     cut_.width() * scale, cut_.height() * scale);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(cut);
    painter.setPen(QPen(Qt::yellow, 1));
    painter.drawRect(cut);
}

void SourcePane::PlaceAt(QPointF point)
{
    if (picture_.isNull()) {
        return;
    }
    const QRectF target = Target();
    const double scale = target.width() / picture_.width();
    const int x = static_cast<int>(std::lround((point.x() - target.left()) / scale - cut_.width() / 2.0));
    const int y = static_cast<int>(std::lround((point.y() - target.top()) / scale - cut_.height() / 2.0));
    const int x0 = std::clamp(x, 0, std::max(0, picture_.width() - cut_.width()));
    const int y0 = std::clamp(y, 0, std::max(0, picture_.height() - cut_.height()));
    if (x0 != cut_.x() || y0 != cut_.y()) {
        cut_.moveTo(x0, y0);
        update();
        emit Placed(x0, y0);
    }
}

void SourcePane::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        PlaceAt(event->position());
    }
}

void SourcePane::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        PlaceAt(event->position());
    }
}

}  // namespace qm
