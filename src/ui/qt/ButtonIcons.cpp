#include "ui/qt/ButtonIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace vigil::ui::qt {

namespace {

constexpr double kDesignPx = 32.0;  // every icon is drawn on a 32 x 32 grid, then scaled

const QColor kInk(40, 60, 90);
const QColor kAccent(200, 70, 40);

QPen Line(const QColor& color, double widthPx) {
  QPen pen(color, widthPx);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// Enable: the power symbol.
void DrawPower(QPainter& p) {
  p.setPen(Line(QColor(30, 140, 60), 3.0));
  p.drawArc(QRectF(6, 7, 20, 20), 120 * 16, 300 * 16);
  p.drawLine(QPointF(16, 4), QPointF(16, 16));
}

// Proj Settings: a sheet with its rows of settings.
void DrawSheet(QPainter& p) {
  p.setPen(Line(kInk, 2.0));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(6, 3, 20, 26), 2, 2);
  p.setPen(Line(kInk, 1.5));
  for (double y : {10.0, 15.0, 20.0, 25.0}) p.drawLine(QPointF(10, y), QPointF(22, y));
  p.setPen(Line(kAccent, 2.0));
  p.drawLine(QPointF(10, 10), QPointF(14, 10));
}

// Controls: the instrument turned by its four arrows.
void DrawArrows(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  const QPolygonF up({QPointF(16, 2), QPointF(11, 9), QPointF(21, 9)});
  for (int turn = 0; turn < 4; ++turn) {
    p.save();
    p.translate(16, 16);
    p.rotate(90.0 * turn);
    p.translate(-16, -16);
    p.drawPolygon(up);
    p.restore();
  }
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(16, 16), 4.5, 4.5);
}

// Training: a prism in the cross-hairs.
void DrawPrism(QPainter& p) {
  p.setPen(Line(kInk, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(16, 16), 12, 12);
  p.drawLine(QPointF(16, 2), QPointF(16, 9));
  p.drawLine(QPointF(16, 23), QPointF(16, 30));
  p.drawLine(QPointF(2, 16), QPointF(9, 16));
  p.drawLine(QPointF(23, 16), QPointF(30, 16));
  p.setPen(Line(kAccent, 1.5));
  p.setBrush(QColor(250, 200, 60));
  p.drawPolygon(QPolygonF({QPointF(16, 10), QPointF(22, 21), QPointF(10, 21)}));
}

// Orientation: a compass needle pointing north.
void DrawCompass(QPainter& p) {
  p.setPen(Line(kInk, 2.0));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(16, 16), 13, 13);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawPolygon(QPolygonF({QPointF(16, 5), QPointF(20, 16), QPointF(12, 16)}));
  p.setBrush(kInk);
  p.drawPolygon(QPolygonF({QPointF(16, 27), QPointF(20, 16), QPointF(12, 16)}));
}

// Monitor: movement plotted over the cycles.
void DrawPlot(QPainter& p) {
  p.setPen(Line(kInk, 2.0));
  p.drawLine(QPointF(4, 4), QPointF(4, 28));
  p.drawLine(QPointF(4, 28), QPointF(29, 28));
  p.setPen(Line(kAccent, 2.5));
  p.drawPolyline(
      QPolygonF({QPointF(7, 22), QPointF(12, 18), QPointF(17, 20), QPointF(22, 11), QPointF(28, 7)}));
}

// Any other resource: the badge drawn before there were icons.
void DrawBadge(QPainter& p, int iconId) {
  const QColor base = QColor::fromHsv((iconId * 47) % 360, 150, 200);
  p.setBrush(base);
  p.setPen(base.darker(150));
  p.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 6, 6);
}

void DrawIcon(QPainter& p, int iconId) {
  switch (iconId) {
    case 144:
      DrawPower(p);
      break;
    case 150:
      DrawSheet(p);
      break;
    case 151:
      DrawCompass(p);
      break;
    case 152:
      DrawPlot(p);
      break;
    case 153:
      DrawPrism(p);
      break;
    case 154:
      DrawArrows(p);
      break;
    default:
      DrawBadge(p, iconId);
      break;
  }
}

// Draws the icon afresh at every size asked for, so a scaled screen gets no blurred bitmap.
class VectorIconEngine final : public QIconEngine {
 public:
  explicit VectorIconEngine(int iconId) : iconId_(iconId) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / kDesignPx, rect.height() / kDesignPx);
    if (mode == QIcon::Disabled) painter->setOpacity(0.4);
    DrawIcon(*painter, iconId_);
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  // `size` is in device pixels already.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    QPixmap drawn = pixmap(size, mode, state);
    drawn.setDevicePixelRatio(scale);
    return drawn;
  }

  QIconEngine* clone() const override { return new VectorIconEngine(iconId_); }

 private:
  int iconId_;
};

}  // namespace

QIcon ButtonIcon(int iconId) {
  return QIcon(new VectorIconEngine(iconId));
}

}  // namespace vigil::ui::qt
