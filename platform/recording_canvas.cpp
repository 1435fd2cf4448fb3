// The recording canvas: keeps every primitive with its state and measures
// deterministically.
#include "platform/recording_canvas.h"

#include <QFontMetricsF>

#include "platform/painter_canvas.h"
#include "platform/text.h"

namespace plat {

const char* DrawCallKindName(DrawCall::Kind kind) {
  switch (kind) {
    case DrawCall::Kind::Line: return "Line";
    case DrawCall::Kind::Box: return "Box";
    case DrawCall::Kind::FilledBox: return "FilledBox";
    case DrawCall::Kind::FilledPolygon: return "FilledPolygon";
    case DrawCall::Kind::Circle: return "Circle";
    case DrawCall::Kind::Text: return "Text";
    case DrawCall::Kind::Picture: return "Picture";
    case DrawCall::Kind::StartDocument: return "StartDocument";
    case DrawCall::Kind::NewPage: return "NewPage";
    case DrawCall::Kind::EndDocument: return "EndDocument";
  }
  return "?";
}

RecordingCanvas::RecordingCanvas(double width, double height, Metrics metrics)
    : width_(width), height_(height), metrics_(metrics) {}

DrawCall& RecordingCanvas::Record(DrawCall::Kind kind) {
  DrawCall call;
  call.kind = kind;
  call.state = state_;
  calls_.push_back(std::move(call));
  return calls_.back();
}

void RecordingCanvas::Line(double x1, double y1, double x2, double y2) {
  DrawCall& c = Record(DrawCall::Kind::Line);
  c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
}

void RecordingCanvas::Box(double x1, double y1, double x2, double y2) {
  DrawCall& c = Record(DrawCall::Kind::Box);
  c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
}

void RecordingCanvas::FilledBox(double x1, double y1, double x2, double y2) {
  DrawCall& c = Record(DrawCall::Kind::FilledBox);
  c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
}

void RecordingCanvas::FilledPolygon(const int* xs, const int* ys, int count) {
  if (!xs || !ys || count <= 0) return;
  DrawCall& c = Record(DrawCall::Kind::FilledPolygon);
  c.xs.assign(xs, xs + count);
  c.ys.assign(ys, ys + count);
}

void RecordingCanvas::Circle(double centreX, double centreY, double radius) {
  DrawCall& c = Record(DrawCall::Kind::Circle);
  c.x1 = centreX, c.y1 = centreY, c.r = radius;
}

void RecordingCanvas::Text(double x, double y, const std::string& text) {
  DrawCall& c = Record(DrawCall::Kind::Text);
  c.x1 = x, c.y1 = y;
  c.text = text;
}

bool RecordingCanvas::Picture(const std::string& path, double x1, double y1, double x2,
                              double y2) {
  DrawCall& c = Record(DrawCall::Kind::Picture);
  c.x1 = x1, c.y1 = y1, c.x2 = x2, c.y2 = y2;
  c.text = path;
  return true;
}

void RecordingCanvas::RecordDocumentEvent(DrawCall::Kind kind, const std::string& name) {
  Record(kind).text = name;
}

namespace {
double PixelSize(const FontSpec& font) { return (font.size > 0 ? font.size : 1.0) * 96.0 / 72.0; }
}  // namespace

double RecordingCanvas::TextWidth(const std::string& text) {
  if (metrics_ == Metrics::Fixed) return 0.5 * PixelSize(state_.font) * static_cast<double>(CharacterCount(text));
  QFontMetricsF metrics(detail::MakeQtFont(state_.font), detail::ScreenMeasureDevice());
  return metrics.horizontalAdvance(QString::fromStdString(ValidUtf8(text)));
}

double RecordingCanvas::TextHeight(const std::string&) {
  if (metrics_ == Metrics::Fixed) return 1.15 * PixelSize(state_.font);
  QFontMetricsF metrics(detail::MakeQtFont(state_.font), detail::ScreenMeasureDevice());
  return metrics.height();
}

double RecordingCanvas::CharWidth() {
  if (metrics_ == Metrics::Fixed) return 0.5 * PixelSize(state_.font);
  QFontMetricsF metrics(detail::MakeQtFont(state_.font), detail::ScreenMeasureDevice());
  return metrics.averageCharWidth();
}

std::vector<DrawCall> RecordingCanvas::CallsOf(DrawCall::Kind kind) const {
  std::vector<DrawCall> out;
  for (const DrawCall& c : calls_)
    if (c.kind == kind) out.push_back(c);
  return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> out;
  for (const DrawCall& c : calls_)
    if (c.kind == DrawCall::Kind::Text) out.push_back(c.text);
  return out;
}

}  // namespace plat
