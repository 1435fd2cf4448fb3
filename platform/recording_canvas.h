// A canvas that draws nothing and records every primitive with the state it
// was drawn in, so that tests can check what the program drew. Its
// measurements are deterministic (see Metrics).
#pragma once
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace plat {

struct DrawCall {
  enum class Kind {
    Line, Box, FilledBox, FilledPolygon, Circle, Text, Picture,
    // Document events of a recording printer (printer.h): text = the
    // document name for StartDocument.
    StartDocument, NewPage, EndDocument,
  };
  Kind kind = Kind::Line;
  // Line, Box, FilledBox, Picture: (x1, y1) - (x2, y2); Circle: centre (x1, y1),
  // radius r; Text: anchor (x1, y1). Values as the program passed them.
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0, r = 0;
  std::vector<int> xs, ys;  // FilledPolygon corners
  std::string text;         // Text: the text; Picture: the path asked for
  DrawState state;          // colour, pen, text background, font and escapement
};

const char* DrawCallKindName(DrawCall::Kind kind);

class RecordingCanvas : public Canvas {
 public:
  enum class Metrics {
    // Widths and heights from the real font (Liberation Sans stands for
    // Arial) measured at 96 dots per inch, as on a screen window.
    Font96Dpi,
    // Arithmetic metrics for hand-checked layouts, with px = points * 96/72:
    // every character is 0.5 * px wide, a line is 1.15 * px high, the mean
    // character width is 0.5 * px (plain doubles, not rounded).
    Fixed,
  };

  explicit RecordingCanvas(double width = 800, double height = 600,
                           Metrics metrics = Metrics::Font96Dpi);

  void Line(double x1, double y1, double x2, double y2) override;
  void Box(double x1, double y1, double x2, double y2) override;
  void FilledBox(double x1, double y1, double x2, double y2) override;
  void FilledPolygon(const int* xs, const int* ys, int count) override;
  void Circle(double centreX, double centreY, double radius) override;
  void Text(double x, double y, const std::string& text) override;
  // Records the call and reports success (no file is read).
  bool Picture(const std::string& path, double x1, double y1, double x2, double y2) override;

  double TextWidth(const std::string& text) override;
  double TextHeight(const std::string& text) override;
  double CharWidth() override;
  double Width() override { return width_; }
  double Height() override { return height_; }
  void Flush() override { ++flushes_; }

  void SetSize(double width, double height) { width_ = width; height_ = height; }
  // Records a document event (used by the printer when this canvas stands
  // in for it).
  void RecordDocumentEvent(DrawCall::Kind kind, const std::string& name = "");
  const std::vector<DrawCall>& Calls() const { return calls_; }
  // The recorded calls of one kind, in order.
  std::vector<DrawCall> CallsOf(DrawCall::Kind kind) const;
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;
  int Flushes() const { return flushes_; }
  void Clear() { calls_.clear(); flushes_ = 0; }

 private:
  DrawCall& Record(DrawCall::Kind kind);

  double width_, height_;
  Metrics metrics_;
  std::vector<DrawCall> calls_;
  int flushes_ = 0;
};

}  // namespace plat
