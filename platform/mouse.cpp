// Mouse state, pointer shapes and placement, and the outline drag.
#include "platform/mouse.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMouseEvent>
#include <QRubberBand>

#include "platform/app.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {
MouseState g_testState;
int g_pointerX = 0, g_pointerY = 0;
PointerShape g_appShape = PointerShape::Standard;

Qt::CursorShape QtShape(PointerShape s) {
  switch (s) {
    case PointerShape::Cross: return Qt::CrossCursor;
    case PointerShape::Wait: return Qt::WaitCursor;
    default: return Qt::ArrowCursor;
  }
}

// Follows the mouse over the canvas until the left button is released.
class DragFilter : public QObject {
 public:
  DragFilter(QWidget* canvas, QRubberBand* band, QPoint grabOffset, QEventLoop* loop)
      : canvas_(canvas), band_(band), offset_(grabOffset), loop_(loop) {}
  QPoint corner;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::MouseMove || e->type() == QEvent::MouseButtonRelease) {
      auto* m = static_cast<QMouseEvent*>(e);
      QPoint p = canvas_->mapFromGlobal(m->globalPosition().toPoint()) - offset_;
      band_->move(p);
      corner = p;
      if (e->type() == QEvent::MouseButtonRelease && m->button() == Qt::LeftButton) loop_->quit();
      return true;
    }
    if (e->type() == QEvent::MouseButtonPress) return true;
    return false;
  }

 private:
  QWidget* canvas_;
  QRubberBand* band_;
  QPoint offset_;
  QEventLoop* loop_;
};
}  // namespace

namespace ui {
void ResetMouse() {
  g_testState = MouseState{};
  g_pointerX = g_pointerY = 0;
  g_appShape = PointerShape::Standard;
}
}  // namespace ui

MouseState MouseStateIn(int w) {
  if (TestMode()) return g_testState;
  MouseState s;
  Qt::MouseButtons b = QGuiApplication::mouseButtons();
  s.buttons = (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (sw && sw->canvas) {
    QPoint p = sw->canvas->mapFromGlobal(QCursor::pos());
    s.x = p.x();
    s.y = p.y();
  }
  return s;
}

int MouseX(int w) { return MouseStateIn(w).x; }
int MouseY(int w) { return MouseStateIn(w).y; }
int MouseButtons() { return MouseStateIn(0).buttons; }

void SetPointerShape(int w, PointerShape shape) {
  if (w == 0) {
    g_appShape = shape;
    if (TestMode()) return;
    if (shape == PointerShape::Standard) {
      while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    } else {
      QApplication::setOverrideCursor(QCursor(QtShape(shape)));
    }
    return;
  }
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw) return;
  sw->pointer = shape;
  if (sw->canvas) {
    if (shape == PointerShape::Standard) sw->canvas->unsetCursor();
    else sw->canvas->setCursor(QtShape(shape));
  }
}

PointerShape PointerShapeOf(int w) {
  if (w == 0) return g_appShape;
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  return sw ? sw->pointer : PointerShape::Standard;
}

void MovePointer(int screenX, int screenY) {
  g_pointerX = screenX;
  g_pointerY = screenY;
  if (!TestMode()) QCursor::setPos(screenX, screenY);
}

void LastPointerMove(int& screenX, int& screenY) {
  screenX = g_pointerX;
  screenY = g_pointerY;
}

void DragOutline(int w, int startX, int startY, int width, int height, int& dropX, int& dropY) {
  dropX = startX;
  dropY = startY;
  if (TestMode()) {
    ui::driver_hooks::Answer a = ui::driver_hooks::TakeAnswer("drag", "window " + std::to_string(w));
    if (!a.cancel) {
      dropX = a.x;
      dropY = a.y;
    }
    return;
  }
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw || !sw->canvas) return;
  QWidget* canvas = sw->canvas;
  QRubberBand band(QRubberBand::Rectangle, canvas);
  band.setGeometry(startX, startY, std::max(1, width), std::max(1, height));
  band.show();
  QPoint offset = canvas->mapFromGlobal(QCursor::pos()) - QPoint(startX, startY);
  QEventLoop loop;
  DragFilter filter(canvas, &band, offset, &loop);
  filter.corner = QPoint(startX, startY);
  qApp->installEventFilter(&filter);
  canvas->grabMouse();
  if (QGuiApplication::mouseButtons() & Qt::LeftButton) loop.exec();
  canvas->releaseMouse();
  qApp->removeEventFilter(&filter);
  dropX = filter.corner.x();
  dropY = filter.corner.y();
}

void SetTestMouseState(int x, int y, int buttons) {
  g_testState.x = x;
  g_testState.y = y;
  g_testState.buttons = buttons;
}

}  // namespace plat
