// Spectrum windows (MDI children holding a canvas that shows a backing
// picture) and dialog windows (top-level, not modal), found by number.
#include "platform/forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <map>

#include "platform/app.h"
#include "platform/qt_internal.h"
#include "platform/ui_qt.h"

namespace plat {

namespace ui {

// The drawing area of a spectrum window: it only shows its backing image.
class Canvas : public QWidget {
 public:
  Canvas(int w, QWidget* parent) : QWidget(parent), window_(w) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    SpectrumWindow* sw = FindSpectrumWindow(window_);
    QPainter p(this);
    if (sw && !sw->image.isNull()) p.drawImage(0, 0, sw->image);
    else p.fillRect(rect(), Qt::white);
  }
  void resizeEvent(QResizeEvent*) override {
    SpectrumWindow* sw = FindSpectrumWindow(window_);
    if (!sw) return;
    NewImage(*sw);
    GeometryChange changing;
    if (!QtEventsSuppressed()) {
      QtEntry entry;
      EventArgs args;
      RaiseWindowEvent(window_, "ReSize", args);
    }
    // The redraw's own repaint runs while the window is still being resized
    // and reaches only the part that was showing before; the area the resize
    // uncovered would stay grey. The whole new client area is shown again
    // once the resize has ended.
    update();
  }
  void mousePressEvent(QMouseEvent* e) override { Mouse("MouseDown", e); }
  void mouseMoveEvent(QMouseEvent* e) override { Mouse("MouseMove", e); }

 public:
  void NewImage(SpectrumWindow& sw) {
    qreal ratio = TestMode() ? 1.0 : devicePixelRatioF();
    QSize size(std::max(1, width()), std::max(1, height()));
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    detail::ReleaseWindowPainter(window_);
    sw.image = image;
  }

 private:
  void Mouse(const char* event, QMouseEvent* e) {
    if (QtEventsSuppressed()) return;
    EventArgs args;
    Qt::MouseButtons b = e->buttons();
    if (std::string(event) == "MouseDown") b = e->button();
    args.button = (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) |
                  (b & Qt::MiddleButton ? 4 : 0);
    Qt::KeyboardModifiers m = e->modifiers();
    args.shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                 (m & Qt::AltModifier ? 4 : 0);
    args.x = static_cast<float>(e->position().x());
    args.y = static_cast<float>(e->position().y());
    QtEntry entry;
    RaiseWindowEvent(window_, event, args);
  }
  int window_;
};

namespace {
int g_geometryChanges = 0;
}  // namespace

GeometryChange::GeometryChange() { ++g_geometryChanges; }
GeometryChange::~GeometryChange() { --g_geometryChanges; }
bool GeometryChanging() { return g_geometryChanges > 0; }

namespace {
std::map<int, SpectrumWindow> g_spectrum;
std::map<int, DialogWindow> g_dialogs;
long g_dialogOrder = 0;

class SubWindow : public QMdiSubWindow {
 public:
  explicit SubWindow(int w) : window_(w) {}
  bool closingFromCode = false;
  // The frame size the program opened the window with.
  QSize openedSize;

  // Cascade gives every window its size hint: the size it was opened with,
  // within the area of the windows. (The canvas has no size of its own to
  // offer; without this hint a cascaded window shrinks to its title bar.)
  QSize sizeHint() const override {
    if (!openedSize.isValid()) return QMdiSubWindow::sizeHint();
    QSize size = openedSize;
    if (mdiArea()) size = size.boundedTo(mdiArea()->viewport()->size());
    return size.expandedTo(minimumSizeHint());
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (closingFromCode) {
      e->accept();
      return;
    }
    // The user's close box: the program's Close handler may refuse.
    e->ignore();
    int w = window_;
    QMetaObject::invokeMethod(qApp, [w] {
      QtEntry entry;
      CloseSpectrumWindow(w);
    }, Qt::QueuedConnection);
  }

 private:
  int window_;
};

// The frames of closed spectrum windows, by window number, kept hidden
// outside the area for the next window of that number. Qt keeps about 2 KB
// for every shown frame of the area that is deleted, so a program that
// closed and opened windows all day grew without end; with the frames kept,
// a window number costs one frame however often it is opened.
std::map<int, QPointer<SubWindow>> g_spareFrames;

QRect ScreenArea() {
  if (TestMode()) return QRect(0, 0, 1024, 768);
  QRect area;
  for (QScreen* s : QGuiApplication::screens()) area = area.united(s->availableGeometry());
  return area;
}

// A saved position from another monitor or an old screen comes back onto
// the visible screen, with at least part of the window showing.
QPoint OnScreen(int left, int top, int width, int height) {
  QRect area = ScreenArea();
  if (area.isEmpty()) return QPoint(left, top);
  const int margin = 40;
  int x = left, y = top;
  if (x + std::min(width, margin) > area.right()) x = area.right() - std::min(width, area.width()) + 1;
  if (y + margin > area.bottom()) y = area.bottom() - std::min(height, area.height()) + 1;
  x = std::max(x, area.left());
  y = std::max(y, area.top());
  return QPoint(x, y);
}
}  // namespace

// A dialog window: its close box and Alt+F4 go to the page's Cancel button.
class DialogWidget : public QWidget {
 public:
  DialogWidget(int n, QWidget* parent) : QWidget(parent, Qt::Dialog), number_(n) {}
  bool closingFromCode = false;

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (closingFromCode) {
      e->accept();
      return;
    }
    e->ignore();
    int n = number_;
    QMetaObject::invokeMethod(qApp, [n] {
      QtEntry entry;
      RequestDialogClose(n);
    }, Qt::QueuedConnection);
  }

 private:
  int number_;
};

SpectrumWindow* FindSpectrumWindow(int w) {
  auto it = g_spectrum.find(w);
  return it == g_spectrum.end() ? nullptr : &it->second;
}

int WindowOfSubWindow(const QMdiSubWindow* sub) {
  for (auto& [w, sw] : g_spectrum)
    if (sw.sub == sub) return w;
  return 0;
}

void ForgetSpectrumWindow(int w) {
  detail::ReleaseWindowPainter(w);
  DeleteWindowLabels(w);
  g_spectrum.erase(w);
}

DialogWindow* FindDialogWindow(int n) {
  auto it = g_dialogs.find(n);
  return it == g_dialogs.end() ? nullptr : &it->second;
}

void ForgetDialogWindow(int n) { g_dialogs.erase(n); }

}  // namespace ui

namespace detail {
QImage* BackingImage(int window) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(window);
  return sw ? &sw->image : nullptr;
}
void FlushWindow(int window) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(window);
  if (!sw || !sw->canvas) return;
  // While windows are being resized or moved, a synchronous repaint would
  // copy the screen's old pixels about (title bars, pieces of pictures) as
  // Qt moves the windows after it; the repaint waits until they stand still.
  if (ui::GeometryChanging()) sw->canvas->update();
  else sw->canvas->repaint();
}
}  // namespace detail

// ---- Spectrum windows ----

void OpenSpectrumWindow(int w, double left, double top, double width, double height,
                        const std::string& caption) {
  if (w < 1 || w > 100) return;
  if (!MainWindowOpen()) OpenMainWindow("");
  ui::SuppressQtEvents quiet;
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw) {
    ui::SpectrumWindow& entry = ui::g_spectrum[w];
    ui::SubWindow* sub = nullptr;
    ui::Canvas* canvas = nullptr;
    auto spare = ui::g_spareFrames.find(w);
    if (spare != ui::g_spareFrames.end()) {
      sub = spare->second.data();
      ui::g_spareFrames.erase(spare);
    }
    if (sub && sub->widget()) {
      canvas = static_cast<ui::Canvas*>(sub->widget());
      sub->closingFromCode = false;
      sub->setWindowState(Qt::WindowNoState);
      canvas->unsetCursor();
    } else {
      delete sub;
      sub = new ui::SubWindow(w);
      sub->setAttribute(Qt::WA_DeleteOnClose, false);
      canvas = new ui::Canvas(w, sub);
      sub->setWidget(canvas);
    }
    entry.sub = sub;
    entry.canvas = canvas;
    ui::MdiArea()->addSubWindow(sub);
    sw = &entry;
  }
  sw->sub->setWindowTitle(ui::ToQt(caption));
  sw->sub->setGeometry(ui::Clamp(left), ui::Clamp(top), std::max(1, ui::Clamp(width)),
                       std::max(1, ui::Clamp(height)));
  static_cast<ui::SubWindow*>(sw->sub.data())->openedSize = sw->sub->size();
  sw->sub->show();
  if (sw->image.isNull() || sw->image.size() != sw->canvas->size() * sw->image.devicePixelRatio())
    static_cast<ui::Canvas*>(sw->canvas.data())->NewImage(*sw);
}

bool SpectrumWindowOpen(int w) { return ui::FindSpectrumWindow(w) != nullptr; }

bool CloseSpectrumWindow(int w) {
  if (!SpectrumWindowOpen(w)) return true;
  EventArgs args;
  RaiseWindowEvent(w, "Close", args);
  if (args.cancel) return false;
  DestroySpectrumWindow(w);
  return true;
}

void DestroySpectrumWindow(int w) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw) return;
  ui::SuppressQtEvents quiet;
  QPointer<QMdiSubWindow> sub = sw->sub;
  ui::ForgetSpectrumWindow(w);
  if (sub) {
    static_cast<ui::SubWindow*>(sub.data())->closingFromCode = true;
    if (ui::MdiArea()) ui::MdiArea()->removeSubWindow(sub);
    sub->hide();
    // Kept for the next window of this number (see g_spareFrames).
    QPointer<ui::SubWindow>& spare = ui::g_spareFrames[w];
    if (spare && spare != sub) spare->deleteLater();
    spare = static_cast<ui::SubWindow*>(sub.data());
  }
}

namespace ui {
void DeleteSpareFrames() {
  for (auto& [w, frame] : g_spareFrames)
    if (frame) frame->deleteLater();
  g_spareFrames.clear();
}
}  // namespace ui

int ClientWidth(int w) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  return sw && sw->canvas ? sw->canvas->width() : 0;
}
int ClientHeight(int w) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  return sw && sw->canvas ? sw->canvas->height() : 0;
}

WindowRect SpectrumWindowRect(int w) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw || !sw->sub) return {};
  QRect r = sw->sub->geometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

void ActivateSpectrumWindow(int w) {
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(w);
  if (!sw || !sw->sub) return;
  {
    ui::SuppressQtEvents quiet;
    ui::MdiArea()->setActiveSubWindow(sw->sub);
  }
  EventArgs args;
  RaiseWindowEvent(w, "GotFocus", args);
}

int ActiveSpectrumWindow() {
  if (!ui::MdiArea()) return 0;
  return ui::WindowOfSubWindow(ui::MdiArea()->activeSubWindow());
}

std::vector<int> OpenSpectrumWindows() {
  std::vector<int> out;
  for (auto& [w, sw] : ui::g_spectrum) out.push_back(w);
  return out;
}

void SetCaption(int window, const std::string& caption) {
  if (window == kMainWindow) {
    if (ui::MainWindow()) ui::MainWindow()->setWindowTitle(ui::ToQt(caption));
    return;
  }
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(window);
  if (sw && sw->sub) sw->sub->setWindowTitle(ui::ToQt(caption));
}

std::string Caption(int window) {
  if (window == kMainWindow) return ui::MainWindow() ? ui::FromQt(ui::MainWindow()->windowTitle()) : "";
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(window);
  return sw && sw->sub ? ui::FromQt(sw->sub->windowTitle()) : "";
}

// ---- Dialog windows ----

bool OpenDialogWindow(int n, double left, double top, double width, double height,
                      const std::string& caption) {
  if (n < 1 || n > 32) return false;  // 32: the progress page's own window
  if (ui::FindDialogWindow(n)) return false;
  ui::DialogWindow& dw = ui::g_dialogs[n];
  dw.order = ++ui::g_dialogOrder;
  auto* widget = new ui::DialogWidget(n, ui::MainWindow());
  widget->setAttribute(Qt::WA_DeleteOnClose, false);
  widget->setWindowTitle(ui::ToQt(caption));
  int w = std::max(1, ui::Clamp(width)), h = std::max(1, ui::Clamp(height));
  widget->setFixedSize(w, h);
  widget->move(ui::OnScreen(ui::Clamp(left), ui::Clamp(top), w, h));
  dw.widget = widget;
  // Enter, Esc and the close box reach the page's designated buttons.
  auto key = [widget, n](QKeySequence seq, int qtKey) {
    auto* s = new QShortcut(seq, widget);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, widget, [n, qtKey] {
      ui::QtEntry entry;
      ui::PressKey(n, qtKey, false);
    });
  };
  key(QKeySequence(Qt::Key_Return), Qt::Key_Return);
  key(QKeySequence(Qt::Key_Enter), Qt::Key_Return);
  key(QKeySequence(Qt::Key_Escape), Qt::Key_Escape);
  return true;
}

void SetDialogFont(int n, const FontSpec& font) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw) return;
  dw->font = font;
  dw->fontSet = true;
  if (dw->widget) dw->widget->setFont(ui::ToQFont(font));
}

void ShowDialogWindow(int n) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw || !dw->widget) return;
  dw->widget->show();
  if (TestMode() || QGuiApplication::platformName() == "offscreen") return;
  dw->widget->raise();
  dw->widget->activateWindow();
}

bool DialogWindowOpen(int n) { return ui::FindDialogWindow(n) != nullptr; }

void CloseDialogWindow(int n) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw) return;
  QPointer<QWidget> widget = dw->widget;
  ui::ForgetDialogWindow(n);
  if (widget) {
    static_cast<ui::DialogWidget*>(widget.data())->closingFromCode = true;
    widget->hide();
    widget->deleteLater();
  }
}

int DialogWindowLeft(int n) { return DialogWindowRect(n).left; }
int DialogWindowTop(int n) { return DialogWindowRect(n).top; }

void MoveDialogWindow(int n, int left, int top) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (dw && dw->widget) dw->widget->move(left, top);
}

WindowRect DialogWindowRect(int n) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw || !dw->widget) return {};
  QPoint p = dw->widget->pos();
  return {p.x(), p.y(), dw->widget->width(), dw->widget->height()};
}

std::string DialogCaption(int n) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  return dw && dw->widget ? ui::FromQt(dw->widget->windowTitle()) : "";
}

std::vector<int> OpenDialogWindows() {
  std::vector<std::pair<long, int>> order;
  for (auto& [n, dw] : ui::g_dialogs) order.push_back({dw.order, n});
  std::sort(order.begin(), order.end());
  std::vector<int> out;
  for (auto& [o, n] : order) out.push_back(n);
  return out;
}

void RequestDialogClose(int n) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw) return;
  ui::Control* cancel =
      dw->cancelButton.empty() ? nullptr : ui::FindControl(n, dw->cancelButton, dw->cancelIndex);
  if (cancel && cancel->widget && cancel->widget->isEnabled()) {
    ClickControl(n, dw->cancelButton, dw->cancelIndex);
    return;
  }
  CloseDialogWindow(n);
  RaiseEvent("DialogWindow_Closed", n);
}

}  // namespace plat
