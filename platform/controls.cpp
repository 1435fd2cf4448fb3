// Controls of the dialog windows, created at run time and found by
// (window, name, index). Clicks reach the program as "<name>_Click".
#include "platform/controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "platform/forms.h"
#include "platform/text.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {

std::string Describe(int n, const std::string& name, int index) {
  std::string s = name;
  if (index != kNoIndex) s += "(" + std::to_string(index) + ")";
  return s + " on dialog window " + std::to_string(n);
}

// A check box whose user click goes 0 -> 1 -> 0; a grayed (2) box goes to 0.
class CheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    setCheckState(checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
  }
};

void RaiseClick(const std::string& name, int index) {
  EventArgs args;
  args.index = index;
  RaiseEvent(name + "_Click", args);
}

// The mnemonic letter of a caption ("&y" -> 'Y'), 0 when none.
char Mnemonic(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

void SetPaletteColour(QWidget* w, QPalette::ColorRole role, int colour) {
  QPalette p = w->palette();
  p.setColor(role, ui::ToQColor(colour));
  w->setPalette(p);
}

void ShowProgress(ui::Control& c) {
  auto* bar = qobject_cast<QProgressBar*>(c.widget);
  if (!bar) return;
  double v = std::clamp(c.value, std::min(c.minimum, c.maximum), std::max(c.minimum, c.maximum));
  c.value = v;
  bar->setRange(static_cast<int>(RoundHalfEven(c.minimum)), static_cast<int>(RoundHalfEven(c.maximum)));
  bar->setValue(static_cast<int>(RoundHalfEven(v)));
}

void SetOptionChecked(QRadioButton* r, bool on) {
  if (on) {
    r->setChecked(true);
    return;
  }
  // An exclusive radio button refuses to clear itself; clear it alone.
  bool exclusive = r->autoExclusive();
  r->setAutoExclusive(false);
  r->setChecked(false);
  r->setAutoExclusive(exclusive);
}

QListWidget* List(ui::Control& c) {
  auto* l = qobject_cast<QListWidget*>(c.widget);
  if (!l) throw ControlError("not a list box: " + c.name);
  return l;
}

QListWidgetItem* Item(ui::Control& c, int item) {
  QListWidget* l = List(c);
  if (item < 0 || item >= l->count())
    throw ControlError("list item " + std::to_string(item) + " out of range in " + c.name);
  return l->item(item);
}

}  // namespace

namespace ui {

Control* FindControl(int n, const std::string& name, int index) {
  DialogWindow* dw = FindDialogWindow(n);
  if (!dw) return nullptr;
  for (Control& c : dw->controls)
    if (c.index == index && c.name == name && c.widget) return &c;
  return nullptr;
}

Control& RequireControl(int n, const std::string& name, int index) {
  Control* c = FindControl(n, name, index);
  if (!c) throw ControlError("no control " + Describe(n, name, index));
  return *c;
}

bool PressKey(int n, int key, bool alt) {
  DialogWindow* dw = FindDialogWindow(n);
  if (!dw) return false;
  if (alt) {
    char letter = static_cast<char>(std::toupper(key));
    for (Control& c : dw->controls) {
      if (c.kind != ControlKind::CommandButton || !c.widget || !c.widget->isEnabled()) continue;
      if (Mnemonic(FromQt(static_cast<QPushButton*>(c.widget.data())->text())) != letter) continue;
      ClickControl(n, c.name, c.index);
      return true;
    }
    return false;
  }
  std::string name = key == Qt::Key_Escape ? dw->cancelButton : dw->defaultButton;
  int index = key == Qt::Key_Escape ? dw->cancelIndex : dw->defaultIndex;
  if (name.empty()) return false;
  Control* c = FindControl(n, name, index);
  if (!c || !c->widget->isEnabled()) return false;
  ClickControl(n, name, index);
  return true;
}

}  // namespace ui

const char* ControlKindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "Label";
    case ControlKind::EditBox: return "EditBox";
    case ControlKind::TextBox: return "TextBox";
    case ControlKind::CommandButton: return "CommandButton";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::OptionButton: return "OptionButton";
    case ControlKind::Frame: return "Frame";
    case ControlKind::ListBox: return "ListBox";
    case ControlKind::ProgressBar: return "ProgressBar";
  }
  return "?";
}

void CreateControl(int n, ControlKind kind, const std::string& name, int index, int x, int y,
                   int width, int height, const std::string& text, const std::string& frame,
                   int frameIndex) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw || !dw->widget) throw ControlError("dialog window " + std::to_string(n) + " is not open");
  DeleteControl(n, name, index);
  QWidget* parent = dw->widget;
  int px = 0, py = 0;
  if (!frame.empty()) {
    ui::Control& f = ui::RequireControl(n, frame, frameIndex);
    parent = f.widget;
    px = f.x;
    py = f.y;
  }
  QString qtext = ui::ToQt(text);
  QWidget* widget = nullptr;
  ui::Control c;
  c.kind = kind;
  c.name = name;
  c.index = index;
  c.x = x;
  c.y = y;
  c.width = width;
  c.height = height;
  switch (kind) {
    case ControlKind::Label: {
      auto* l = new QLabel(qtext, parent);
      l->setTextFormat(Qt::PlainText);
      l->setWordWrap(true);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      widget = l;
      break;
    }
    case ControlKind::EditBox:
      widget = new QLineEdit(qtext, parent);
      break;
    case ControlKind::TextBox: {
      auto* e = new QLineEdit(qtext, parent);
      e->setReadOnly(true);
      e->setFocusPolicy(Qt::NoFocus);
      widget = e;
      break;
    }
    case ControlKind::CommandButton: {
      auto* b = new QPushButton(qtext, parent);
      b->setAutoDefault(false);
      b->setDefault(false);
      QObject::connect(b, &QPushButton::clicked, b, [n, name, index] {
        ui::QtEntry entry;
        if (ui::FindControl(n, name, index)) RaiseClick(name, index);
      });
      widget = b;
      char letter = Mnemonic(text);
      if (letter && (width <= 0 || height <= 0)) {
        // A hidden button has no mnemonic of its own: Alt+letter on the window.
        auto* s = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(letter)), dw->widget);
        s->setContext(Qt::WindowShortcut);
        QObject::connect(s, &QShortcut::activated, b, [n, letter] {
          ui::QtEntry entry;
          ui::PressKey(n, letter, true);
        });
        c.hotkey = s;
      }
      break;
    }
    case ControlKind::CheckBox: {
      auto* b = new CheckBox(qtext, parent);
      QObject::connect(b, &QCheckBox::clicked, b, [n, name, index] {
        ui::QtEntry entry;
        if (ui::FindControl(n, name, index)) RaiseClick(name, index);
      });
      widget = b;
      break;
    }
    case ControlKind::OptionButton: {
      auto* b = new QRadioButton(qtext, parent);
      QObject::connect(b, &QRadioButton::clicked, b, [n, name, index] {
        ui::QtEntry entry;
        if (ui::FindControl(n, name, index)) RaiseClick(name, index);
      });
      widget = b;
      break;
    }
    case ControlKind::Frame:
      widget = new QGroupBox(qtext, parent);
      break;
    case ControlKind::ListBox: {
      auto* l = new QListWidget(parent);
      l->setSelectionMode(QAbstractItemView::SingleSelection);
      widget = l;
      break;
    }
    case ControlKind::ProgressBar: {
      auto* p = new QProgressBar(parent);
      p->setTextVisible(false);
      c.minimum = 0;
      c.maximum = 100;
      widget = p;
      break;
    }
  }
  widget->setObjectName(QString::fromStdString(index == kNoIndex ? name : name + "_" + std::to_string(index)));
  widget->setGeometry(x - px, y - py, std::max(0, width), std::max(0, height));
  if (width <= 0 || height <= 0) widget->hide();
  else widget->show();
  c.widget = widget;
  dw->controls.push_back(c);
  if (kind == ControlKind::ProgressBar) ShowProgress(dw->controls.back());
}

bool ControlExists(int n, const std::string& name, int index) {
  return ui::FindControl(n, name, index) != nullptr;
}

void DeleteControl(int n, const std::string& name, int index) {
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw) return;
  auto it = std::find_if(dw->controls.begin(), dw->controls.end(), [&](const ui::Control& c) {
    return c.name == name && c.index == index;
  });
  if (it == dw->controls.end()) return;
  if (it->hotkey) it->hotkey->deleteLater();
  if (it->widget) {
    it->widget->hide();
    it->widget->deleteLater();
  }
  dw->controls.erase(it);
}

void SetText(int n, const std::string& name, int index, const std::string& text) {
  ui::Control& c = ui::RequireControl(n, name, index);
  QString t = ui::ToQt(text);
  if (auto* l = qobject_cast<QLabel*>(c.widget)) l->setText(t);
  else if (auto* e = qobject_cast<QLineEdit*>(c.widget)) e->setText(t);
  else if (auto* b = qobject_cast<QAbstractButton*>(c.widget)) b->setText(t);
  else if (auto* g = qobject_cast<QGroupBox*>(c.widget)) g->setTitle(t);
  else if (auto* lw = qobject_cast<QListWidget*>(c.widget)) {
    // A list's Text selects the first item of that text.
    for (int i = 0; i < lw->count(); ++i)
      if (lw->item(i)->text() == t) {
        lw->setCurrentRow(i);
        break;
      }
  }
}

std::string Text(int n, const std::string& name, int index) {
  ui::Control& c = ui::RequireControl(n, name, index);
  if (auto* l = qobject_cast<QLabel*>(c.widget)) return ui::FromQt(l->text());
  if (auto* e = qobject_cast<QLineEdit*>(c.widget)) return ui::FromQt(e->text());
  if (auto* b = qobject_cast<QAbstractButton*>(c.widget)) return ui::FromQt(b->text());
  if (auto* g = qobject_cast<QGroupBox*>(c.widget)) return ui::FromQt(g->title());
  if (auto* lw = qobject_cast<QListWidget*>(c.widget))
    return lw->currentItem() ? ui::FromQt(lw->currentItem()->text()) : "";
  return "";
}

void SetValue(int n, const std::string& name, int index, double value) {
  ui::Control& c = ui::RequireControl(n, name, index);
  if (c.kind == ControlKind::ProgressBar) {
    c.value = value;
    ShowProgress(c);
  } else if (auto* b = qobject_cast<QCheckBox*>(c.widget)) {
    long long v = RoundHalfEven(value);
    b->setCheckState(v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
  } else if (auto* r = qobject_cast<QRadioButton*>(c.widget)) {
    SetOptionChecked(r, value != 0);
  } else {
    throw ControlError("no Value property: " + Describe(n, name, index));
  }
}

double Value(int n, const std::string& name, int index) {
  ui::Control& c = ui::RequireControl(n, name, index);
  if (c.kind == ControlKind::ProgressBar) return c.value;
  if (auto* b = qobject_cast<QCheckBox*>(c.widget))
    return b->checkState() == Qt::Checked ? 1 : b->checkState() == Qt::PartiallyChecked ? 2 : 0;
  if (auto* r = qobject_cast<QRadioButton*>(c.widget)) return r->isChecked() ? 1 : 0;
  throw ControlError("no Value property: " + Describe(n, name, index));
}

void SetEnabled(int n, const std::string& name, int index, bool enabled) {
  ui::RequireControl(n, name, index).widget->setEnabled(enabled);
}
bool Enabled(int n, const std::string& name, int index) {
  return ui::RequireControl(n, name, index).widget->isEnabled();
}

void SetVisible(int n, const std::string& name, int index, bool visible) {
  ui::Control& c = ui::RequireControl(n, name, index);
  c.widget->setVisible(visible && c.width > 0 && c.height > 0);
  c.widget->setProperty("sorvanHidden", !visible);
}

void SetForeColour(int n, const std::string& name, int index, int colour) {
  QWidget* w = ui::RequireControl(n, name, index).widget;
  SetPaletteColour(w, QPalette::WindowText, colour);
  SetPaletteColour(w, QPalette::Text, colour);
  SetPaletteColour(w, QPalette::ButtonText, colour);
}

void SetBackColour(int n, const std::string& name, int index, int colour) {
  QWidget* w = ui::RequireControl(n, name, index).widget;
  w->setAutoFillBackground(true);
  SetPaletteColour(w, QPalette::Window, colour);
  SetPaletteColour(w, QPalette::Base, colour);
  SetPaletteColour(w, QPalette::Button, colour);
}

void SetControlFont(int n, const std::string& name, int index, const FontSpec& font) {
  ui::RequireControl(n, name, index).widget->setFont(ui::ToQFont(font));
}

namespace {
int FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
}  // namespace

int BackColour(int n, const std::string& name, int index) {
  return FromQColor(ui::RequireControl(n, name, index).widget->palette().color(QPalette::Window));
}

FontSpec ControlFont(int n, const std::string& name, int index) {
  const QFont f = ui::RequireControl(n, name, index).widget->font();
  FontSpec font;
  font.name = ui::FromQt(f.family());
  font.size = f.pointSizeF();
  font.bold = f.bold();
  font.italic = f.italic();
  font.underline = f.underline();
  font.strikeout = f.strikeOut();
  return font;
}

void SetFocusSelectAll(int n, const std::string& name, int index) {
  ui::Control& c = ui::RequireControl(n, name, index);
  c.widget->setFocus();
  if (auto* e = qobject_cast<QLineEdit*>(c.widget)) e->selectAll();
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  dw->widget->setProperty("sorvanFocus", c.widget->objectName());
}

void SetDefaultButton(int n, const std::string& name, int index) {
  ui::RequireControl(n, name, index);
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  dw->defaultButton = name;
  dw->defaultIndex = index;
}

void SetCancelButton(int n, const std::string& name, int index) {
  ui::RequireControl(n, name, index);
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  dw->cancelButton = name;
  dw->cancelIndex = index;
}

void SetThreeState(int n, const std::string& name, int index, bool threeState) {
  ui::Control& c = ui::RequireControl(n, name, index);
  c.threeState = threeState;
}

void SetProgressRange(int n, const std::string& name, int index, double minimum, double maximum) {
  ui::Control& c = ui::RequireControl(n, name, index);
  c.minimum = minimum;
  c.maximum = maximum;
  ShowProgress(c);
}

void SetListMultiSelect(int n, const std::string& name, int index, bool multi) {
  ui::Control& c = ui::RequireControl(n, name, index);
  List(c)->setSelectionMode(multi ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
}

void SetListCheckable(int n, const std::string& name, int index, bool checkable) {
  ui::RequireControl(n, name, index).checkable = checkable;
}

void AddListItem(int n, const std::string& name, int index, const std::string& text, int icon) {
  ui::Control& c = ui::RequireControl(n, name, index);
  auto* item = new QListWidgetItem(ui::ToQt(text), List(c));
  if (c.checkable) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  if (icon > 0) item->setIcon(ui::ImageListIcon(icon));
}

int ListCount(int n, const std::string& name, int index) {
  return List(ui::RequireControl(n, name, index))->count();
}

std::string ListItem(int n, const std::string& name, int index, int item) {
  return ui::FromQt(Item(ui::RequireControl(n, name, index), item)->text());
}

int ListIndex(int n, const std::string& name, int index) {
  QListWidget* l = List(ui::RequireControl(n, name, index));
  return l->currentItem() ? l->currentRow() : -1;
}

void SetListIndex(int n, const std::string& name, int index, int item) {
  ui::Control& c = ui::RequireControl(n, name, index);
  QListWidget* l = List(c);
  if (item < 0) {
    l->clearSelection();
    l->setCurrentRow(-1);
    return;
  }
  Item(c, item);
  if (l->selectionMode() == QAbstractItemView::MultiSelection) {
    l->setCurrentRow(item, QItemSelectionModel::Current);
    l->item(item)->setSelected(true);
  } else {
    l->setCurrentRow(item);
  }
}

bool ItemSelected(int n, const std::string& name, int index, int item) {
  return Item(ui::RequireControl(n, name, index), item)->isSelected();
}

void SetItemSelected(int n, const std::string& name, int index, int item, bool selected) {
  Item(ui::RequireControl(n, name, index), item)->setSelected(selected);
}

bool ItemChecked(int n, const std::string& name, int index, int item) {
  return Item(ui::RequireControl(n, name, index), item)->checkState() == Qt::Checked;
}

void SetItemChecked(int n, const std::string& name, int index, int item, bool checked) {
  ui::Control& c = ui::RequireControl(n, name, index);
  QListWidgetItem* it = Item(c, item);
  it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
  it->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void ClickControl(int n, const std::string& name, int index) {
  ui::Control& c = ui::RequireControl(n, name, index);
  if (!c.widget->isEnabled()) throw ControlError("control is disabled: " + Describe(n, name, index));
  if (auto* b = qobject_cast<QCheckBox*>(c.widget)) {
    b->setCheckState(b->checkState() == Qt::Unchecked ? Qt::Checked : Qt::Unchecked);
  } else if (auto* r = qobject_cast<QRadioButton*>(c.widget)) {
    r->setChecked(true);
  } else if (!qobject_cast<QPushButton*>(c.widget)) {
    throw ControlError("cannot be clicked: " + Describe(n, name, index));
  }
  RaiseClick(name, index);
}

double ControlTextWidth(int n, const std::string& name, int index, const std::string& text) {
  ui::Control& c = ui::RequireControl(n, name, index);
  return QFontMetricsF(c.widget->font()).horizontalAdvance(ui::ToQt(text));
}

double ControlTextRoom(int n, const std::string& name, int index) {
  ui::Control& c = ui::RequireControl(n, name, index);
  const QStyle* style = c.widget->style();
  auto metric = [&](QStyle::PixelMetric m) { return style->pixelMetric(m, nullptr, c.widget); };
  double taken = 0;
  switch (c.kind) {
    case ControlKind::CheckBox:
      taken = metric(QStyle::PM_IndicatorWidth) + metric(QStyle::PM_CheckBoxLabelSpacing);
      break;
    case ControlKind::OptionButton:
      taken = metric(QStyle::PM_ExclusiveIndicatorWidth) + metric(QStyle::PM_RadioButtonLabelSpacing);
      break;
    case ControlKind::CommandButton:
      taken = metric(QStyle::PM_ButtonMargin) + 2 * metric(QStyle::PM_DefaultFrameWidth);
      break;
    case ControlKind::EditBox:
    case ControlKind::TextBox:
      // The frame and the text margins of a line edit (2 + 2 on each side).
      taken = 2 * metric(QStyle::PM_DefaultFrameWidth) + 4;
      break;
    default: break;
  }
  return std::max(0.0, c.width - taken);
}

bool TextCut(int n, const std::string& name, int index) {
  ui::Control& c = ui::RequireControl(n, name, index);
  const std::string text = Text(n, name, index);
  if (auto* l = qobject_cast<QLabel*>(c.widget)) {
    const QRect needed = QFontMetrics(l->font()).boundingRect(
        QRect(0, 0, c.width, 1 << 20), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, ui::ToQt(text));
    return needed.width() > c.width || needed.height() > c.height;
  }
  return ControlTextWidth(n, name, index, text) > ControlTextRoom(n, name, index);
}

std::vector<ControlInfo> Controls(int n) {
  std::vector<ControlInfo> out;
  ui::DialogWindow* dw = ui::FindDialogWindow(n);
  if (!dw) return out;
  QString focus = dw->widget ? dw->widget->property("sorvanFocus").toString() : QString();
  for (ui::Control& c : dw->controls) {
    if (!c.widget) continue;
    ControlInfo info;
    info.kind = c.kind;
    info.name = c.name;
    info.index = c.index;
    info.text = Text(n, c.name, c.index);
    if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::OptionButton ||
        c.kind == ControlKind::ProgressBar)
      info.value = Value(n, c.name, c.index);
    info.enabled = c.widget->isEnabled();
    info.visible = !c.widget->property("sorvanHidden").toBool();
    info.x = c.x;
    info.y = c.y;
    info.width = c.width;
    info.height = c.height;
    info.isDefault = dw->defaultButton == c.name && dw->defaultIndex == c.index;
    info.isCancel = dw->cancelButton == c.name && dw->cancelIndex == c.index;
    info.hasFocus = !focus.isEmpty() && focus == c.widget->objectName();
    if (auto* l = qobject_cast<QListWidget*>(c.widget)) {
      for (int i = 0; i < l->count(); ++i) {
        info.items.push_back(ui::FromQt(l->item(i)->text()));
        info.selected.push_back(l->item(i)->isSelected());
        info.checked.push_back(l->item(i)->checkState() == Qt::Checked);
      }
    }
    out.push_back(info);
  }
  return out;
}

int FindControlWindow(const std::string& name, int index) {
  std::vector<int> windows = OpenDialogWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    if (ui::FindControl(*it, name, index)) return *it;
  return 0;
}

}  // namespace plat
