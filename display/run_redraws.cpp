// The paced pictures of long runs (see run_redraws.h).
#include "display/run_redraws.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/loop.h"
#include "platform/surfaces.h"

namespace sorvan {

namespace {

constexpr int kMaxWindow = 100;
constexpr long long kPictureInterval = 1000 / kRunPicturesPerSecond;

// A canvas that keeps the primitives drawn on it, each with its state, and
// draws them later onto the canvas beneath it in the same order, so that
// the pixels are those of drawing them at once. Measurements are those of
// the canvas beneath, in this canvas's state.
class HeldCanvas : public plat::Canvas {
 public:
  explicit HeldCanvas(plat::Canvas& beneath) : beneath_(beneath) { state_ = beneath.State(); }

  void Line(double x1, double y1, double x2, double y2) override {
    Keep(Kind::Line).box = {x1, y1, x2, y2};
  }
  void Polyline(const int* xs, const int* ys, int count) override {
    if (count < 2) return;
    Keep(Kind::Polyline, xs, ys, count);
  }
  void Box(double x1, double y1, double x2, double y2) override {
    Keep(Kind::Box).box = {x1, y1, x2, y2};
  }
  void FilledBox(double x1, double y1, double x2, double y2) override {
    Keep(Kind::FilledBox).box = {x1, y1, x2, y2};
  }
  void FilledPolygon(const int* xs, const int* ys, int count) override {
    Keep(Kind::FilledPolygon, xs, ys, count);
  }
  void FilledProfile(const int* xs, const int* ys, int count, int baseline, int fillColour) override {
    if (count < 2) return;
    Call& call = Keep(Kind::FilledProfile, xs, ys, count);
    call.baseline = baseline;
    call.fill = fillColour;
  }
  void Circle(double centreX, double centreY, double radius) override {
    Keep(Kind::Circle).box = {centreX, centreY, radius, 0};
  }
  void Text(double x, double y, const std::string& text) override {
    Call& call = Keep(Kind::Text);
    call.box = {x, y, 0, 0};
    call.text = text;
  }
  // A picture file is drawn at once (whether it can be read is the answer),
  // after what is held, so that the order stays.
  bool Picture(const std::string& path, double x1, double y1, double x2, double y2) override {
    Release();
    beneath_.SetState(state_);
    return beneath_.Picture(path, x1, y1, x2, y2);
  }

  double TextWidth(const std::string& text) override {
    return Measured([&] { return beneath_.TextWidth(text); });
  }
  double TextHeight(const std::string& text) override {
    return Measured([&] { return beneath_.TextHeight(text); });
  }
  double CharWidth() override {
    return Measured([&] { return beneath_.CharWidth(); });
  }
  double Width() override { return beneath_.Width(); }
  double Height() override { return beneath_.Height(); }
  // Nothing held is shown before it is drawn.
  void Flush() override {}

  // Forgets what is held (a whole redraw is about to cover it).
  void Drop() { calls_.clear(); }
  // Draws what is held onto the canvas beneath, which keeps this canvas's
  // state afterwards.
  void Release() {
    for (const Call& call : calls_) Draw(call);
    calls_.clear();
    beneath_.SetState(state_);
  }
  // The canvas beneath takes this canvas's state (what the program set last).
  void HandOverState() { beneath_.SetState(state_); }

 private:
  enum class Kind { Line, Polyline, Box, FilledBox, FilledPolygon, FilledProfile, Circle, Text };
  struct Call {
    Kind kind;
    plat::DrawState state;
    std::array<double, 4> box{};
    std::vector<int> xs, ys;
    int baseline = 0, fill = 0;
    std::string text;
  };

  Call& Keep(Kind kind) {
    Call& call = calls_.emplace_back();
    call.kind = kind;
    call.state = state_;
    return call;
  }
  Call& Keep(Kind kind, const int* xs, const int* ys, int count) {
    Call& call = Keep(kind);
    if (count > 0) {
      call.xs.assign(xs, xs + count);
      call.ys.assign(ys, ys + count);
    }
    return call;
  }

  template <typename F>
  double Measured(F measure) {
    const plat::DrawState saved = beneath_.State();
    beneath_.SetState(state_);
    const double value = measure();
    beneath_.SetState(saved);
    return value;
  }

  void Draw(const Call& call) {
    plat::Canvas& c = beneath_;
    c.SetState(call.state);
    const auto& b = call.box;
    const int count = static_cast<int>(call.xs.size());
    switch (call.kind) {
      case Kind::Line: c.Line(b[0], b[1], b[2], b[3]); break;
      case Kind::Polyline: c.Polyline(call.xs.data(), call.ys.data(), count); break;
      case Kind::Box: c.Box(b[0], b[1], b[2], b[3]); break;
      case Kind::FilledBox: c.FilledBox(b[0], b[1], b[2], b[3]); break;
      case Kind::FilledPolygon: c.FilledPolygon(call.xs.data(), call.ys.data(), count); break;
      case Kind::FilledProfile:
        c.FilledProfile(call.xs.data(), call.ys.data(), count, call.baseline, call.fill);
        break;
      case Kind::Circle: c.Circle(b[0], b[1], b[2]); break;
      case Kind::Text: c.Text(b[0], b[1], call.text); break;
    }
  }

  plat::Canvas& beneath_;
  std::vector<Call> calls_;
};

struct WindowPace {
  bool shown = false;       // a picture of this run was drawn
  long long shownAt = 0;    // when
  std::unique_ptr<HeldCanvas> held;
};

int g_runDepth = 0;
std::array<WindowPace, kMaxWindow + 1> g_windows;

// Window w draws straight into its own canvas again; what is held is drawn
// first when `draw`, else forgotten.
void EndHolding(int w, bool draw) {
  WindowPace& pace = g_windows[w];
  if (!pace.held) return;
  if (draw) {
    pace.held->Release();
  } else {
    pace.held->Drop();
    pace.held->HandOverState();
  }
  plat::SetDrawingDetour(w, nullptr);
  pace.held.reset();
}

}  // namespace

RunRedraws::RunRedraws() {
  if (g_runDepth++ > 0) return;
  for (WindowPace& pace : g_windows) pace.shown = false;
  plat::SetBeforeWaitHook(ShowHeldRedraws);
}

RunRedraws::~RunRedraws() {
  if (--g_runDepth > 0) return;
  plat::SetBeforeWaitHook({});
  ShowHeldRedraws();
}

void BeginWholeRedraw(int w) {
  if (g_runDepth == 0 || w < 1 || w > kMaxWindow) return;
  WindowPace& pace = g_windows[w];
  const long long now = plat::Milliseconds();
  if (!pace.shown || now - pace.shownAt >= kPictureInterval) {
    // This picture is drawn; a held one would be covered by it.
    EndHolding(w, false);
    pace.shown = true;
    pace.shownAt = now;
    return;
  }
  if (pace.held) {
    pace.held->Drop();
    return;
  }
  pace.held = std::make_unique<HeldCanvas>(plat::WindowCanvasBeneathDetour(w));
  plat::SetDrawingDetour(w, pace.held.get());
}

void ShowHeldRedraws() {
  for (int w = 1; w <= kMaxWindow; ++w) EndHolding(w, true);
}

}  // namespace sorvan
