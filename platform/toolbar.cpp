// The image list and the toolbar of the main window. The layer keeps its own
// list of buttons so that button numbers count separators exactly.
#include "platform/toolbar.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <stdexcept>

#include "platform/app.h"
#include "platform/files.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {
// An image of the list. The file is read when the image is added, but its
// picture is decoded when it is first wanted: the toolbar shows only some of
// the icons, and decoding the rest would only delay the first paint of the
// main window. The bytes read at the start give the same picture later even
// when the file has changed meanwhile.
struct Image {
  QByteArray bytes;   // the file as read when the image was added
  QByteArray format;  // the file's suffix: the decoder tried first, as for a load by name
  int size = 16;      // the list's icon size when the image was added
  bool decoded = false;
  QIcon icon;
  bool blank = true;
};
std::vector<Image> g_images;

// The pictures decoded so far, by file: a list built again (a new toolbar
// after a change of its buttons or of the language) takes the picture of a
// file whose bytes are the same instead of decoding it anew.
std::map<std::string, Image> g_decodedFiles;

Image& Decoded(Image& image, const std::string& file) {
  if (image.decoded) return image;
  image.decoded = true;
  QPixmap pixmap;
  if (!image.bytes.isEmpty())
    pixmap.loadFromData(image.bytes, image.format.isEmpty() ? nullptr : image.format.constData());
  if (pixmap.isNull()) {
    QPixmap blank(image.size, image.size);
    blank.fill(Qt::transparent);
    image.icon = QIcon(blank);
  } else {
    image.icon = QIcon(pixmap);
    image.blank = false;
  }
  if (!file.empty()) g_decodedFiles[file] = image;
  return image;
}

std::vector<std::string> g_imageFiles;  // the file of each image of the list

Image& DecodedImage(int image) {
  const auto k = static_cast<size_t>(image - 1);
  return Decoded(g_images[k], g_imageFiles[k]);
}
int g_imageSize = 16;

std::vector<ToolbarButton> g_buttons;
std::vector<QPointer<QAction>> g_actions;  // one per button, null for separators
QPointer<QToolBar> g_toolbar;
bool g_visible = true;

ToolbarButton& ButtonAt(int index) {
  if (index < 1 || index > static_cast<int>(g_buttons.size()))
    throw std::out_of_range("toolbar button " + std::to_string(index) + " does not exist");
  return g_buttons[static_cast<size_t>(index - 1)];
}

void ShowState(int index) {
  ToolbarButton& b = ButtonAt(index);
  QAction* a = g_actions[static_cast<size_t>(index - 1)];
  if (!a) return;
  a->setEnabled(b.enabled);
  if (b.style == ToolbarStyle::Check) a->setChecked(b.value != 0);
}

void RaiseClick(int index) {
  EventArgs args;
  args.index = index;
  RaiseEvent("tb_ButtonClick", args);
}
}  // namespace

namespace ui {
QIcon ImageListIcon(int image) {
  if (image < 1 || image > static_cast<int>(g_images.size())) return QIcon();
  return DecodedImage(image).icon;
}

void ResetToolbar() {
  if (g_toolbar) g_toolbar->deleteLater();
  g_toolbar = nullptr;
  g_buttons.clear();
  g_actions.clear();
  g_images.clear();
  g_imageFiles.clear();
  g_visible = true;
}

bool ToolbarButtonClickable(int index, std::string& why) {
  if (index < 1 || index > static_cast<int>(g_buttons.size())) {
    why = "toolbar button " + std::to_string(index) + " does not exist";
    return false;
  }
  const ToolbarButton& b = g_buttons[static_cast<size_t>(index - 1)];
  if (b.style == ToolbarStyle::Separator) {
    why = "toolbar button " + std::to_string(index) + " is a separator";
    return false;
  }
  if (!b.enabled) {
    why = "toolbar button " + std::to_string(index) + " is disabled";
    return false;
  }
  return true;
}

void ClickToolbarButtonNow(int index) { RaiseClick(index); }
}  // namespace ui

void ClearImageList(int size) {
  g_images.clear();
  g_imageFiles.clear();
  g_imageSize = size > 0 ? size : 16;
}

int AddImage(const std::string& path) {
  Image image;
  image.size = g_imageSize;
  if (!path.empty() && FileExists(path)) {
    try {
      const std::string bytes = ReadWholeFile(path);
      image.bytes = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
      image.format = QFileInfo(QString::fromStdString(NativePath(path))).suffix().toLower().toLatin1();
    } catch (const FileError&) {
      // An unreadable file gives a blank icon, as a missing one does.
    }
  }
  const auto known = g_decodedFiles.find(path);
  if (known != g_decodedFiles.end() && known->second.bytes == image.bytes && known->second.size == image.size)
    image = known->second;
  g_images.push_back(std::move(image));
  g_imageFiles.push_back(path);
  return static_cast<int>(g_images.size());
}

int ImageCount() { return static_cast<int>(g_images.size()); }
bool ImageIsBlank(int image) {
  if (image < 1 || image > ImageCount()) return true;
  return DecodedImage(image).blank;
}

void BuildToolbar(const std::vector<ToolbarButton>& buttons) {
  if (!MainWindowOpen()) OpenMainWindow("");
  auto* bar = new QToolBar;
  bar->setObjectName("tb");
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(g_imageSize, g_imageSize));
  g_buttons = buttons;
  g_actions.assign(buttons.size(), nullptr);
  for (size_t k = 0; k < buttons.size(); ++k) {
    const ToolbarButton& b = buttons[k];
    int index = static_cast<int>(k) + 1;
    if (b.style == ToolbarStyle::Separator) {
      bar->addSeparator();
      continue;
    }
    auto* a = new QAction(ui::ImageListIcon(b.image), ui::ToQt(b.tooltip), bar);
    a->setToolTip(ui::ToQt(b.tooltip));
    a->setObjectName(QString::fromStdString(b.key));
    a->setCheckable(b.style == ToolbarStyle::Check);
    QObject::connect(a, &QAction::triggered, a, [index] {
      // The program sets the pressed state itself: undo Qt's own toggle.
      if (index <= static_cast<int>(g_buttons.size())) ShowState(index);
      QMetaObject::invokeMethod(qApp, [index] {
        ui::QtEntry entry;
        std::string why;
        if (ui::ToolbarButtonClickable(index, why)) RaiseClick(index);
      }, Qt::QueuedConnection);
    });
    bar->addAction(a);
    g_actions[k] = a;
    ShowState(index);
  }
  ui::InstallToolbar(bar);
  g_toolbar = bar;
  bar->setVisible(g_visible);
}

int ToolbarHeight() {
  if (!g_toolbar) return 0;
  return g_toolbar->sizeHint().height();
}

void ShowToolbar(bool visible) {
  g_visible = visible;
  if (g_toolbar) g_toolbar->setVisible(visible);
}

bool ToolbarVisible() { return g_toolbar && g_visible; }
int ToolbarButtonCount() { return static_cast<int>(g_buttons.size()); }
ToolbarButton ToolbarButtonAt(int index) { return ButtonAt(index); }

void SetToolbarButtonEnabled(int index, bool enabled) {
  ButtonAt(index).enabled = enabled;
  ShowState(index);
}

void SetToolbarButtonValue(int index, int value) {
  ButtonAt(index).value = value;
  ShowState(index);
}

int ToolbarButtonValue(int index) { return ButtonAt(index).value; }

}  // namespace plat
