// The label arrays beschlb and titellb: QLabel children of a spectrum
// window's canvas, above its backing picture, so redraws do not erase them.
#include "platform/labels.h"

#include <QLabel>
#include <QMouseEvent>
#include <map>
#include <stdexcept>

#include "platform/forms.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {

class LabelWidget : public QLabel {
 public:
  LabelWidget(LabelArray array, int L, QWidget* parent) : QLabel(parent), array_(array), L_(L) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    EventArgs args;
    args.index = L_;
    Qt::MouseButton b = e->button();
    args.button = b == Qt::LeftButton ? 1 : b == Qt::RightButton ? 2 : b == Qt::MiddleButton ? 4 : 0;
    Qt::KeyboardModifiers m = e->modifiers();
    args.shift = (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                 (m & Qt::AltModifier ? 4 : 0);
    args.x = static_cast<float>(e->position().x());
    args.y = static_cast<float>(e->position().y());
    ui::QtEntry entry;
    RaiseEvent(std::string(LabelArrayName(array_)) + "_MouseDown", args);
  }

 private:
  LabelArray array_;
  int L_;
};

struct Entry {
  LabelSpec spec;
  QPointer<LabelWidget> widget;
};
std::map<int, Entry> g_labels[2];

std::map<int, Entry>& Table(LabelArray a) { return g_labels[a == LabelArray::Title ? 1 : 0]; }

int WindowOf(int L) { return (L - 1) / 100 + 1; }

void Remove(std::map<int, Entry>& table, std::map<int, Entry>::iterator it) {
  if (it->second.widget) {
    it->second.widget->hide();
    it->second.widget->deleteLater();
  }
  table.erase(it);
}

}  // namespace

namespace ui {
void DeleteAllLabels() {
  for (auto& table : g_labels)
    while (!table.empty()) Remove(table, table.begin());
}
}  // namespace ui

const char* LabelArrayName(LabelArray array) {
  return array == LabelArray::Title ? "titellb" : "beschlb";
}

void SetLabel(LabelArray array, int L, const LabelSpec& spec) {
  if (L < 1 || L > 10000)
    throw std::out_of_range(std::string(LabelArrayName(array)) + " element " + std::to_string(L) + " out of range");
  ui::SpectrumWindow* sw = ui::FindSpectrumWindow(WindowOf(L));
  if (!sw || !sw->canvas)
    throw std::out_of_range(std::string(LabelArrayName(array)) + " element " + std::to_string(L) +
                            ": its window is not open");
  Entry& e = Table(array)[L];
  if (!e.widget) {
    e.widget = new LabelWidget(array, L, sw->canvas.data());
    e.widget->setObjectName(QString("%1_%2").arg(LabelArrayName(array)).arg(L));
    e.widget->setTextFormat(Qt::PlainText);
  }
  e.spec = spec;
  LabelWidget* w = e.widget;
  w->setText(ui::ToQt(spec.text));
  w->setFont(ui::ToQFont(spec.font));
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, ui::ToQColor(spec.foreColour));
  p.setColor(QPalette::Window, ui::ToQColor(spec.backColour));
  w->setPalette(p);
  w->setAutoFillBackground(!spec.transparent);
  w->setAttribute(Qt::WA_TranslucentBackground, spec.transparent);
  w->setGeometry(ui::Clamp(spec.left), ui::Clamp(spec.top), std::max(0, spec.width), std::max(0, spec.height));
  w->setVisible(spec.visible);
  w->raise();
}

void DeleteLabel(LabelArray array, int L) {
  auto& table = Table(array);
  auto it = table.find(L);
  if (it != table.end()) Remove(table, it);
}

void DeleteWindowLabels(int w) {
  for (auto& table : g_labels) {
    auto it = table.lower_bound((w - 1) * 100 + 1);
    while (it != table.end() && it->first <= w * 100) {
      auto next = std::next(it);
      Remove(table, it);
      it = next;
    }
  }
}

bool LabelExists(LabelArray array, int L) { return Table(array).count(L) != 0; }

LabelSpec Label(LabelArray array, int L) {
  auto& table = Table(array);
  auto it = table.find(L);
  if (it == table.end())
    throw std::out_of_range(std::string(LabelArrayName(array)) + " element " + std::to_string(L) + " does not exist");
  return it->second.spec;
}

std::vector<int> LabelIndices(LabelArray array) {
  std::vector<int> out;
  for (auto& [L, e] : Table(array)) out.push_back(L);
  return out;
}

}  // namespace plat
