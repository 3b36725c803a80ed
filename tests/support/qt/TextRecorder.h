#pragma once
// A paint device of a chosen size and resolution that keeps every text drawn on
// it: the text, its font, and where it reaches on the device, measured with the
// font the device draws it in (as a screen or a printer of that resolution
// would), with the painter's transformation applied. Nothing is rasterised.

#include <QFont>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>
#include <QTextItem>
#include <QTransform>
#include <vector>

struct TRecordedText {
  QString Text;
  QFont Font;
  // From the start of its first character's advance to the end of its last,
  // and from its ascent to its descent, in device pixels.
  QRectF Reach;
};

class TTextRecordingEngine : public QPaintEngine {
 public:
  TTextRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  std::vector<TRecordedText> Texts;

  bool begin(QPaintDevice*) override {
    FTransform = QTransform();
    return true;
  }
  bool end() override { return true; }
  void updateState(const QPaintEngineState& State) override {
    if (State.state() & QPaintEngine::DirtyTransform) FTransform = State.transform();
  }
  // Shapes and pictures are dropped (the defaults of the first two call each
  // other's overloads, without end).
  using QPaintEngine::drawPoints;
  using QPaintEngine::drawPolygon;
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPoints(const QPointF*, int) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawTextItem(const QPointF& At, const QTextItem& Item) override {
    const QRectF Logical(At.x(), At.y() - Item.ascent(), Item.width(),
                         Item.ascent() + Item.descent());
    Texts.push_back({Item.text(), Item.font(), FTransform.mapRect(Logical)});
  }
  Type type() const override { return QPaintEngine::User; }

 private:
  QTransform FTransform;
};

class TTextRecordingDevice : public QPaintDevice {
 public:
  TTextRecordingDevice(int Width, int Height, int Dpi)
      : FWidth(Width), FHeight(Height), FDpi(Dpi) {}
  ~TTextRecordingDevice() override = default;

  const std::vector<TRecordedText>& Texts() const { return FEngine.Texts; }
  QPaintEngine* paintEngine() const override { return &FEngine; }

 protected:
  int metric(PaintDeviceMetric Metric) const override {
    switch (Metric) {
      case PdmWidth: return FWidth;
      case PdmHeight: return FHeight;
      case PdmWidthMM: return FWidth * 254 / (10 * FDpi);
      case PdmHeightMM: return FHeight * 254 / (10 * FDpi);
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return FDpi;
      case PdmDepth: return 32;
      case PdmNumColors: return 0x7fffffff;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return 0;
    }
  }

 private:
  mutable TTextRecordingEngine FEngine;
  int FWidth;
  int FHeight;
  int FDpi;
};
