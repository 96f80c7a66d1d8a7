#include "render/agreement_scale.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "render/decomposition_picture.h"

namespace zenphal {
namespace {

// cividis at 0, 1/16, ..., 1 (as matplotlib tabulates it), 8-bit sRGB.
constexpr std::array<std::array<int, 3>, 17> kStops = {{
    {0, 34, 78},     {0, 46, 106},    {26, 56, 111},   {50, 67, 109},   {67, 78, 108},   {83, 90, 109},
    {97, 101, 111},  {111, 112, 115}, {125, 124, 120}, {140, 136, 120}, {155, 148, 118}, {171, 160, 114},
    {188, 174, 108}, {205, 187, 99},  {222, 201, 88},  {240, 216, 70},  {254, 232, 56},
}};

// The legend's places, in picture pixels: right of the frame, between the
// "Attention:" note (down to y 240) and the "Mismatch Score" caption (y 550).
constexpr int kLegendLeft = 632;
constexpr int kCaptionTop = 262;
constexpr int kBarTop = 288;
constexpr int kBarHeight = 200;
constexpr int kBarWidth = 18;
constexpr int kTickLength = 4;
constexpr int kSwatchTop = kBarTop + kBarHeight + 14;
constexpr int kSwatchHeight = 12;
constexpr const char* kUndefinedText = "not defined";

int BarY(double value) { return kBarTop + static_cast<int>(std::lround((1.0 - value) * kBarHeight)); }

QString TickText(double value) { return value == 0.0 || value == 1.0 ? QString::number(value) : QString::number(value, 'f', 2); }

constexpr double kTicks[] = {0.0, 0.25, 0.5, 0.75, 1.0};

}  // namespace

QColor AgreementColour(double agreement) {
  const double t = std::clamp(std::isfinite(agreement) ? agreement : 0.0, 0.0, 1.0) * (kStops.size() - 1);
  const size_t i = std::min(static_cast<size_t>(t), kStops.size() - 2);
  const double f = t - static_cast<double>(i);
  const auto mix = [&](int c) {
    return static_cast<int>(std::lround(kStops[i][c] + f * (kStops[i + 1][c] - kStops[i][c])));
  };
  return QColor(mix(0), mix(1), mix(2));
}

QColor UndefinedAgreementColour() { return kFrameFillColour; }

bool NeedsLightText(const QColor& fill) {
  return 0.299 * fill.red() + 0.587 * fill.green() + 0.114 * fill.blue() < 128.0;
}

bool HasUndefinedAgreement(const std::vector<double>& values) {
  return std::any_of(values.begin(), values.end(), [](double v) { return v < 0.0; });
}

QRect AgreementLegendRect(const QFontMetrics& metrics, bool withUndefined) {
  int right = kLegendLeft + metrics.horizontalAdvance(QString::fromLatin1(kAgreementLegendTitle));
  const int textLeft = kLegendLeft + kBarWidth + kTickLength + 3;
  for (double v : kTicks) right = std::max(right, textLeft + metrics.horizontalAdvance(TickText(v)));
  int bottom = BarY(0.0) + metrics.height() / 2 + 1;
  if (withUndefined) {
    right = std::max(right, textLeft + metrics.horizontalAdvance(QString::fromLatin1(kUndefinedText)));
    bottom = std::max(kSwatchTop + kSwatchHeight, kSwatchTop + kSwatchHeight / 2 + metrics.height() / 2 + 1);
  }
  return QRect(QPoint(kLegendLeft, kCaptionTop), QPoint(right, bottom));
}

void DrawAgreementLegend(QPainter& painter, bool withUndefined) {
  painter.save();
  const QFontMetrics metrics = painter.fontMetrics();
  painter.setPen(Qt::black);
  painter.drawText(QRect(kLegendLeft, kCaptionTop, 100000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   QString::fromLatin1(kAgreementLegendTitle));
  // The bar: the scale's stops as a gradient, 1 at the top.
  QLinearGradient gradient(0, BarY(1.0), 0, BarY(0.0));
  for (size_t i = 0; i < kStops.size(); ++i) {
    const double at = static_cast<double>(i) / (kStops.size() - 1);
    gradient.setColorAt(1.0 - at, QColor(kStops[i][0], kStops[i][1], kStops[i][2]));
  }
  const QRect bar(kLegendLeft, BarY(1.0), kBarWidth, kBarHeight);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(gradient);
  painter.drawRect(bar);
  const int textLeft = kLegendLeft + kBarWidth + kTickLength + 3;
  for (double v : kTicks) {
    const int y = BarY(v);
    painter.drawLine(kLegendLeft + kBarWidth, y, kLegendLeft + kBarWidth + kTickLength, y);
    painter.drawText(QRect(textLeft, y - metrics.height() / 2, 1000, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, TickText(v));
  }
  if (withUndefined) {
    painter.setBrush(UndefinedAgreementColour());
    painter.drawRect(QRect(kLegendLeft, kSwatchTop, kBarWidth, kSwatchHeight));
    painter.drawText(QRect(textLeft, kSwatchTop + kSwatchHeight / 2 - metrics.height() / 2, 1000, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QString::fromLatin1(kUndefinedText));
  }
  painter.restore();
}

}  // namespace zenphal
