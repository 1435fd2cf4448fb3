// The message box and the common dialogs. Paths leave in program form; the
// folder a file dialog ended in becomes the current folder.
#include "platform/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

#include "platform/app.h"
#include "platform/driver.h"
#include "platform/files.h"
#include "platform/text.h"
#include "platform/ui_qt.h"

namespace plat {

namespace {
std::vector<MessageRecord> g_messages;
std::string g_currentFolder;

// The folder part of a path in program form ("" when it has none).
std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

QStringList NameFilters(const FileDialogSpec& spec) {
  QStringList out;
  for (const auto& [description, mask] : spec.filters) {
    if (description.empty() && mask.empty()) break;
    QStringList patterns;
    for (const QString& p : ui::ToQt(mask).split(';', Qt::SkipEmptyParts)) {
      QString t = p.trimmed();
      // Masks match without regard to case, as on the system they came from.
      patterns << t;
      if (t.toLower() != t) patterns << t.toLower();
      if (t.toUpper() != t) patterns << t.toUpper();
    }
    out << ui::ToQt(description) + " (" + patterns.join(' ') + ")";
  }
  return out;
}

// A chosen name the program cannot use: "*" marks a mask throughout the
// program, so a file whose name holds one is refused with a message rather
// than taken for a dialog left without a choice.
bool RefusedName(const std::string& path) {
  if (path.find('*') == std::string::npos) return false;
  MessageBox("A file name holding \"*\" cannot be used:\r" + ShownPath(path), 0, "");
  return true;
}

std::string FileDialog(const FileDialogSpec& spec, bool save) {
  if (TestMode()) {
    ui::driver_hooks::Answer a =
        ui::driver_hooks::TakeAnswer("file", (save ? "save: " : "open: ") + spec.title);
    if (a.cancel) return "";
    g_currentFolder = FolderOf(a.text);
    if (RefusedName(a.text)) return "";
    if ((spec.flags & kFileMustExist) && !FileExists(a.text))
      throw DriverFailure("the file dialog requires an existing file, but the script gave " + a.text);
    return a.text;
  }
  QFileDialog dialog(ui::MainWindow(), ui::ToQt(spec.title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile
                          : (spec.flags & kFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  if (!(spec.flags & kFileOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  QStringList filters = NameFilters(spec);
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!spec.defaultExtension.empty()) dialog.setDefaultSuffix(ui::ToQt(spec.defaultExtension));
  std::string folder = spec.initialFolder.empty() ? g_currentFolder : spec.initialFolder;
  if (!folder.empty()) dialog.setDirectory(QString::fromStdString(NativePath(folder)));
  if (!spec.fileName.empty() && spec.fileName.find('*') == std::string::npos)
    dialog.selectFile(ui::ToQt(spec.fileName));
  bool ok = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  g_currentFolder = ProgramPath(dialog.directory().absolutePath().toStdString());
  if (!ok) return "";
  // File-system names are UTF-8, as program texts are.
  std::string path = ProgramPath(dialog.selectedFiles().first().toStdString());
  if (RefusedName(path)) return "";
  return path;
}
}  // namespace

namespace ui {
void ResetDialogRecords() { g_messages.clear(); }
}  // namespace ui

int MessageBox(const std::string& text, int buttons, const std::string& title) {
  ui::RunBeforeWaitHook();
  MessageRecord record{text, title, buttons, 0};
  if (TestMode()) {
    // Recorded before the answer, so that a failing script still shows it.
    g_messages.push_back(record);
    ui::driver_hooks::Answer a = ui::driver_hooks::TakeAnswer("message", text);
    int answer = a.number == 2 && buttons == kMessageOkCancel ? 2 : 1;
    g_messages.back().answer = answer;
    return answer;
  }
  QString body = ui::ToQt(text);
  body.replace("\r\n", "\n");
  body.replace('\r', '\n');
  QMessageBox box(ui::MainWindow());
  box.setText(body);
  box.setWindowTitle(title.empty() ? QApplication::applicationDisplayName() : ui::ToQt(title));
  if (buttons == kMessageOkCancel) {
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  box.setDefaultButton(QMessageBox::Ok);
  int answer = box.exec() == QMessageBox::Ok ? 1 : (buttons == kMessageOkCancel ? 2 : 1);
  record.answer = answer;
  g_messages.push_back(record);
  return answer;
}

std::string OpenFileDialog(const FileDialogSpec& spec) { return FileDialog(spec, false); }
std::string SaveFileDialog(const FileDialogSpec& spec) { return FileDialog(spec, true); }
std::string CurrentFolder() { return g_currentFolder; }

bool FontDialog(FontSpec& font) {
  if (TestMode()) {
    ui::driver_hooks::Answer a = ui::driver_hooks::TakeAnswer("font", font.name);
    if (a.cancel) return false;
    font = a.font;
    return true;
  }
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, ui::ToQFont(font), ui::MainWindow());
  if (!ok) return false;
  font.name = ui::FromQt(chosen.family());
  font.size = chosen.pointSizeF();
  font.bold = chosen.bold();
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeout = chosen.strikeOut();
  return true;
}

int ColourDialog(int colour) {
  if (TestMode()) {
    ui::driver_hooks::Answer a = ui::driver_hooks::TakeAnswer("colour", std::to_string(colour));
    return a.cancel ? colour : a.number;
  }
  QColor c = QColorDialog::getColor(ui::ToQColor(colour), ui::MainWindow());
  if (!c.isValid()) return colour;
  return RgbColour(c.red(), c.green(), c.blue());
}

const std::vector<MessageRecord>& MessagesShown() { return g_messages; }

}  // namespace plat
