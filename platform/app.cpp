// The application object, the main window 101 with its area for the spectrum
// windows, screen size, the window arrangements, the measuring font and the
// end of the program.
#include "platform/app.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/events.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "platform/text.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {
bool g_testMode = false;
FontSpec g_mainFont;
bool g_closingFromCode = false;
QPointer<QWidget> g_toolbar;

class MainWindowWidget : public QMainWindow {
 protected:
  void closeEvent(QCloseEvent* event) override {
    if (g_closingFromCode) {
      event->accept();
      return;
    }
    // The user's close box: the program decides (exit question).
    event->ignore();
    ui::QtEntry entry;
    QMetaObject::invokeMethod(qApp, [] { RequestMainWindowClose(); }, Qt::QueuedConnection);
  }
};

QPointer<MainWindowWidget> g_main;
QPointer<QMdiArea> g_mdi;

// A 96 DPI device, so that measurements in test mode do not depend on the
// machine.
QPaintDevice* MeasuringDevice() {
  static QImage image = [] {
    QImage i(1, 1, QImage::Format_RGB32);
    i.setDotsPerMeterX(3780);
    i.setDotsPerMeterY(3780);
    return i;
  }();
  return &image;
}

QFontMetricsF MainMetrics() {
  if (g_testMode) return QFontMetricsF(ui::ToQFont(g_mainFont), MeasuringDevice());
  return QFontMetricsF(ui::ToQFont(g_mainFont));
}
}  // namespace

namespace ui {
QString ToQt(const std::string& text) { return QString::fromStdString(ValidUtf8(text)); }
std::string FromQt(const QString& text) { return text.toStdString(); }
QFont ToQFont(const FontSpec& font) {
  QFont f(ToQt(font.name));
  f.setPointSizeF(font.size > 0 ? font.size : 8.25);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  f.setUnderline(font.underline);
  f.setStrikeOut(font.strikeout);
  return f;
}
QColor ToQColor(int colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }
int Clamp(double value) {
  if (!(value == value)) return 0;  // NaN
  if (value > 1e6) value = 1e6;
  if (value < -1e6) value = -1e6;
  return static_cast<int>(RoundHalfEven(value));
}

QMainWindow* MainWindow() { return g_main; }
QMdiArea* MdiArea() { return g_mdi; }

void InstallToolbar(QWidget* toolbar) {
  if (!g_main) OpenMainWindow("");
  if (g_toolbar) {
    g_main->removeToolBar(static_cast<QToolBar*>(g_toolbar.data()));
    g_toolbar->hide();
    g_toolbar->deleteLater();
  }
  g_toolbar = toolbar;
  if (toolbar) {
    toolbar->setEnabled(!PageWaiting());
    g_main->addToolBar(Qt::TopToolBarArea, static_cast<QToolBar*>(toolbar));
  }
  if (g_main->layout()) g_main->layout()->activate();
}

void SetCommandBarsEnabled(bool enabled) {
  if (!g_main) return;
  if (QMenuBar* bar = g_main->menuBar()) bar->setEnabled(enabled);
  if (g_toolbar) g_toolbar->setEnabled(enabled);
}
}  // namespace ui

namespace detail {
QWidget* MainWindowWidget() { return g_main; }
}  // namespace detail

void InitApplication(int& argc, char** argv) {
#ifdef __GLIBC__
  // Window arrays are freed and sized again all the time (a spectrum of
  // 32767 points holds about 1 MB a window). Freed memory is kept for the
  // next window instead of going back to the system at once: every fresh
  // 4 KB page costs a page fault, which takes tens of microseconds on some
  // virtual machines, so that loading a large project again after closing
  // its windows would otherwise pay for tens of thousands of them. The
  // thresholds are glibc's own settings; other C libraries keep theirs.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  if (!QApplication::instance()) new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationDisplayName("Sorvan");
  QApplication::setApplicationName("Sorvan");
}

void SetTestMode(bool on) { g_testMode = on; }
bool TestMode() { return g_testMode; }

void OpenMainWindow(const std::string& caption) {
  QApplication::setQuitOnLastWindowClosed(false);
  ui::WatchKeys();
  if (!g_main) {
    g_main = new MainWindowWidget;
    g_main->setAttribute(Qt::WA_DeleteOnClose, false);
    g_mdi = new QMdiArea(g_main);
    g_main->setCentralWidget(g_mdi);
    QObject::connect(g_mdi, &QMdiArea::subWindowActivated, g_main, [](QMdiSubWindow* sub) {
      static int lastRaised = 0;
      if (!sub) {
        lastRaised = 0;
        return;
      }
      int w = ui::WindowOfSubWindow(sub);
      if (w == 0 || ui::QtEventsSuppressed() || w == lastRaised) return;
      lastRaised = w;
      ui::QtEntry entry;
      EventArgs args;
      RaiseWindowEvent(w, "GotFocus", args);
    });
  }
  g_main->setWindowTitle(ui::ToQt(caption));
  if (g_testMode) {
    g_main->setGeometry(0, 0, 1024, 768);
    g_main->show();
  } else {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) g_main->setGeometry(screen->availableGeometry());
    g_main->showMaximized();
  }
  if (g_main->layout()) g_main->layout()->activate();
}

bool MainWindowOpen() { return g_main != nullptr; }

bool RequestMainWindowClose() {
  if (!g_main) return true;
  EventArgs args;
  args.index = kMainWindow;
  RaiseWindowEvent(kMainWindow, "Close", args);
  if (args.cancel) return false;
  DestroyAllWindows();
  if (QCoreApplication::instance() && !g_testMode) QCoreApplication::quit();
  return true;
}

void DestroyAllWindows() {
  for (int n : OpenDialogWindows()) CloseDialogWindow(n);
  for (int w : OpenSpectrumWindows()) DestroySpectrumWindow(w);
  ui::DeleteSpareFrames();
  ui::DeleteAllLabels();
  if (g_main) {
    g_closingFromCode = true;
    g_main->hide();
    g_main->deleteLater();
    g_main = nullptr;
    g_mdi = nullptr;
    g_toolbar = nullptr;
    g_closingFromCode = false;
  }
  ui::ResetMenus();
  ui::ResetToolbar();
}

int ScreenWidth() {
  if (!g_mdi) return g_testMode ? 1024 : 0;
  return g_mdi->width();
}

int ScreenHeight() {
  if (!g_mdi) return g_testMode ? 768 : 0;
  int h = g_mdi->height();
  if (g_toolbar && g_toolbar->isVisible()) h += g_toolbar->height();
  return h;
}

// The windows' layouts are settled before returning, so that every window
// has its new size when the caller draws it again.
void ArrangeCascade() {
  if (!g_mdi) return;
  ui::GeometryChange arranging;
  g_mdi->cascadeSubWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}
void ArrangeTile() {
  if (!g_mdi) return;
  ui::GeometryChange arranging;
  g_mdi->tileSubWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
}

void SetMainFont(const FontSpec& font) { g_mainFont = font; }
FontSpec MainFont() { return g_mainFont; }
double MainFontTextWidth(const std::string& text) {
  return MainMetrics().horizontalAdvance(ui::ToQt(text));
}
double MainFontTextHeight(const std::string&) { return MainMetrics().height(); }

void EndProgram() {
  CloseAll();
  if (g_testMode) throw ProgramEnded();
  std::exit(0);
}

}  // namespace plat
