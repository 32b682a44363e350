#include "ui/qt/PlotWidget.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vigil::ui::qt {

using platform::Control;

namespace {

constexpr int kAxisFontPx = 9;
const std::array<QColor, 3> kLineColours{QColor(0xc0, 0x20, 0x20), QColor(0x10, 0x80, 0x30),
                                         QColor(0x20, 0x40, 0xc0)};
const std::array<QColor, 3> kSeverityColours{QColor(0xe0, 0xa0, 0x00), QColor(0xe0, 0x40, 0x00),
                                             QColor(0x90, 0x00, 0x00)};

struct Range {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  void Take(double v) {
    low = std::min(low, v);
    high = std::max(high, v);
  }
  bool Empty() const { return !(low <= high); }
};

QValueAxis* MakeAxis(const QString& caption, Range range, bool fromZero) {
  auto* axis = new QValueAxis;
  QFont font;
  font.setPixelSize(kAxisFontPx);
  axis->setLabelsFont(font);
  axis->setTitleFont(font);
  axis->setTitleText(caption);
  if (range.Empty()) range = {0.0, 1.0};
  if (range.high - range.low < 1e-9) range = {range.low - 0.5, range.high + 0.5};
  const double margin = (range.high - range.low) * 0.05;
  axis->setRange(range.low - margin, range.high + margin);
  axis->setTickCount(5);
  axis->applyNiceNumbers();
  // Time that begins at zero does not start before it; the ticks keep their nice step.
  if (fromZero && range.low >= 0.0 && axis->min() < 0.0) {
    const double step = (axis->max() - axis->min()) / (axis->tickCount() - 1);
    axis->setMin(0.0);
    axis->setTickCount(static_cast<int>(std::lround(axis->max() / step)) + 1);
  }
  return axis;
}

void Attach(QChart& chart, QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

void Draw(QChart& chart, const Control& plot) {
  chart.removeAllSeries();
  for (QAbstractAxis* axis : chart.axes()) {
    chart.removeAxis(axis);
    delete axis;
  }
  Range xs;
  Range ys;
  for (const platform::PlotLine& line : plot.plotLines) {
    for (const platform::PlotPoint& p : line.points) {
      xs.Take(p.x);
      ys.Take(p.y - p.band);
      ys.Take(p.y + p.band);
    }
  }
  for (const platform::PlotLevel& level : plot.plotLevels) ys.Take(level.y);
  auto* x = MakeAxis(QString::fromStdString(plot.xCaption), xs, true);
  auto* y = MakeAxis(QString::fromStdString(plot.yCaption), ys, false);
  chart.addAxis(x, Qt::AlignBottom);
  chart.addAxis(y, Qt::AlignLeft);

  for (std::size_t i = 0; i < plot.plotLines.size(); ++i) {
    const platform::PlotLine& line = plot.plotLines[i];
    const QColor colour =
        kLineColours[static_cast<std::size_t>(std::max(line.tone, 0)) % kLineColours.size()];
    const bool banded = std::any_of(line.points.begin(), line.points.end(),
                                    [](const platform::PlotPoint& p) { return p.band > 0.0; });
    if (banded) {
      // An area does not own its edges: they are its children, so they go with it.
      auto* band = new QAreaSeries;
      auto* upper = new QLineSeries(band);
      auto* lower = new QLineSeries(band);
      for (const platform::PlotPoint& p : line.points) {
        upper->append(p.x, p.y + p.band);
        lower->append(p.x, p.y - p.band);
      }
      band->setUpperSeries(upper);
      band->setLowerSeries(lower);
      QColor fill = colour;
      fill.setAlpha(50);
      band->setBrush(fill);
      band->setPen(Qt::NoPen);
      Attach(chart, band, x, y);
      for (QLegendMarker* marker : chart.legend()->markers(band)) marker->setVisible(false);
    }
    auto* series = new QLineSeries;
    series->setName(QString::fromStdString(line.name));
    series->setPen(QPen(colour, 1.5));
    series->setPointsVisible(line.points.size() < 60);
    for (const platform::PlotPoint& p : line.points) series->append(p.x, p.y);
    Attach(chart, series, x, y);
  }
  for (std::size_t i = 0; i < plot.plotLevels.size(); ++i) {
    const platform::PlotLevel& level = plot.plotLevels[i];
    auto* series = new QLineSeries;
    series->setName(QString::fromStdString(level.name));
    const int severity = std::clamp(level.severity, 0, static_cast<int>(kSeverityColours.size()) - 1);
    series->setPen(QPen(kSeverityColours[static_cast<std::size_t>(severity)], 1.0, Qt::DashLine));
    series->append(x->min(), level.y);
    series->append(x->max(), level.y);
    Attach(chart, series, x, y);
    // A limit drawn above and below zero is named once in the legend.
    const auto earlier = plot.plotLevels.begin() + static_cast<std::ptrdiff_t>(i);
    const bool named = std::any_of(plot.plotLevels.begin(), earlier, [&](const platform::PlotLevel& other) {
      return other.name == level.name;
    });
    if (named)
      for (QLegendMarker* marker : chart.legend()->markers(series)) marker->setVisible(false);
  }
}

}  // namespace

QWidget* MakePlot(QWidget* parent) {
  auto* chart = new QChart;
  chart->setMargins(QMargins(0, 0, 0, 0));
  chart->setBackgroundRoundness(0);
  chart->layout()->setContentsMargins(0, 0, 0, 0);
  QFont font;
  font.setPixelSize(kAxisFontPx);
  chart->legend()->setFont(font);
  chart->legend()->setAlignment(Qt::AlignTop);
  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  return view;
}

void RefreshPlot(QWidget& widget, const Control& now, const Control* before) {
  if (before != nullptr && before->plotLines == now.plotLines && before->plotLevels == now.plotLevels &&
      before->xCaption == now.xCaption && before->yCaption == now.yCaption)
    return;
  Draw(*static_cast<QChartView&>(widget).chart(), now);
}

}  // namespace vigil::ui::qt
