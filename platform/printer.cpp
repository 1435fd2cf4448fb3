// The program's one printer (A4, 600 dots per inch), its dialogs, the
// document with its painter, and headless printing to a PDF file.
#include "platform/printer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdlib>
#include <memory>

#include "platform/files.h"
#include "platform/painter_canvas.h"
#include "platform/qt_internal.h"
#include "platform/recording_canvas.h"
#include "platform/text.h"

namespace plat {

namespace {

constexpr int kPrinterResolution = 600;

std::unique_ptr<QPrinter> g_printer;
std::unique_ptr<QPainter> g_painter;
std::unique_ptr<detail::QPainterCanvas> g_canvas;
std::string g_pdfSetting;
RecordingCanvas* g_recording = nullptr;
bool g_recordingDocumentOpen = false;
// The PDF file the printer writes to now ("" = its own output).
std::string g_pdfApplied;
// While a document goes to a PDF file: that file (native), and the
// temporary file the printer writes into meanwhile. The file itself is
// replaced only once the document is complete.
std::string g_pdfTarget;
std::unique_ptr<QTemporaryFile> g_pdfTemporary;

void SetResolutionAndPaper(QPrinter& printer) {
  printer.setResolution(kPrinterResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  // The paintable area is the page: its top-left corner is the origin of the
  // printer canvas and its size is PageWidth() x PageHeight(). The layouts
  // keep their own margins inside it.
  printer.setFullPage(false);
}

void PrintToFile(QPrinter& printer, const std::string& nativePath) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromUtf8(nativePath));
  SetResolutionAndPaper(printer);
  g_pdfApplied = nativePath;
}

QPrinter& Printer() {
  if (!g_printer) {
    g_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    SetResolutionAndPaper(*g_printer);
    // The printer must go before the application object does; a document
    // still open at the end is finished so its file is complete.
    qAddPostRoutine([] {
      try {
        EndDocument();
      } catch (const FileError&) {
        // The program ends; nothing is left to tell the user with.
      }
      g_canvas.reset();
      g_printer.reset();
      g_pdfApplied.clear();
    });
  }
  // Follow the PDF setting, but never switch the output under an open page.
  if (!g_painter) {
    std::string target = PrintToPdfTarget();
    if (!target.empty() && target != g_pdfApplied) PrintToFile(*g_printer, target);
  }
  return *g_printer;
}

// The answer a test script gives for a printer dialog: "" is Cancel; for the
// print dialog a path ending in ".pdf" accepts and prints into that file.
bool Scripted(const std::string& kind, bool& accepted) {
  std::string answer;
  if (!detail::ScriptedAnswer(kind, answer)) return false;
  accepted = !answer.empty();
  if (accepted && answer.size() > 4 && LowerCase(Right(answer, 4)) == ".pdf")
    PrintToFile(Printer(), answer);
  return true;
}

}  // namespace

void SetPrintToPdf(const std::string& nativePath) {
  g_pdfSetting = nativePath;
  if (g_printer && !g_painter && nativePath.empty() && !g_pdfApplied.empty()) {
    // Back to the printer's own output.
    g_printer->setOutputFileName(QString());
    g_printer->setOutputFormat(QPrinter::NativeFormat);
    SetResolutionAndPaper(*g_printer);
    g_pdfApplied.clear();
  }
}

std::string PrintToPdfTarget() {
  if (!g_pdfSetting.empty()) return g_pdfSetting;
  const char* env = std::getenv("SORVAN_PRINT_TO_PDF");
  return env ? std::string(env) : std::string();
}

bool ShowPrinterSetup() {
  QPrinter& printer = Printer();
  if (!PrintToPdfTarget().empty()) return true;
  bool accepted = false;
  if (Scripted("printsetup", accepted)) return accepted;
  // The print dialog chooses the printer and its settings; they are taken
  // over only on OK.
  QPrintDialog dialog(&printer, detail::MainWindowWidget());
  dialog.setWindowTitle(QObject::tr("Printer setup"));
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  return dialog.exec() == QDialog::Accepted;
}

bool ShowPrintDialog() {
  QPrinter& printer = Printer();
  if (!PrintToPdfTarget().empty()) return true;
  bool accepted = false;
  if (Scripted("print", accepted)) return accepted;
  QPrintDialog dialog(&printer, detail::MainWindowWidget());
  return dialog.exec() == QDialog::Accepted;
}

bool StartDocument(const std::string& name) {
  if (DocumentOpen()) {
    try {
      EndDocument();
    } catch (const FileError&) {
      // That document is lost; the new one starts all the same.
    }
  }
  if (g_recording) {
    g_recording->RecordDocumentEvent(DrawCall::Kind::StartDocument, name);
    g_recordingDocumentOpen = true;
    return true;
  }
  QPrinter& printer = Printer();
  printer.setDocName(QString::fromStdString(ValidUtf8(name)));
  const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
  if (toPdf) {
    // Beside the file, so that a folder that cannot take the file refuses
    // the document before anything is drawn.
    const QFileInfo file(printer.outputFileName());
    auto temporary =
        std::make_unique<QTemporaryFile>(file.absolutePath() + "/." + file.fileName() + ".XXXXXX.tmp");
    if (!temporary->open()) return false;
    temporary->close();
    g_pdfTarget = printer.outputFileName().toStdString();
    g_pdfTemporary = std::move(temporary);
    printer.setOutputFileName(g_pdfTemporary->fileName());
  }
  auto painter = std::make_unique<QPainter>();
  if (!painter->begin(&printer)) {
    if (toPdf) {
      printer.setOutputFileName(QString::fromStdString(g_pdfTarget));
      g_pdfTarget.clear();
      g_pdfTemporary.reset();
    }
    return false;
  }
  g_painter = std::move(painter);
  return true;
}

void NewPage() {
  if (g_recording) {
    if (g_recordingDocumentOpen) g_recording->RecordDocumentEvent(DrawCall::Kind::NewPage);
    return;
  }
  if (g_painter) Printer().newPage();
}

void EndDocument() {
  if (g_recording) {
    if (g_recordingDocumentOpen) g_recording->RecordDocumentEvent(DrawCall::Kind::EndDocument);
    g_recordingDocumentOpen = false;
    return;
  }
  if (!g_painter) return;
  g_painter->end();
  g_painter.reset();
  if (g_pdfTarget.empty()) return;
  const std::string target = g_pdfTarget;
  const std::unique_ptr<QTemporaryFile> temporary = std::move(g_pdfTemporary);
  g_pdfTarget.clear();
  Printer().setOutputFileName(QString::fromStdString(target));
  // The printer reports no write error: a complete PDF file ends with its
  // end-of-file mark, a file cut short by a full disk does not.
  QFile written(temporary->fileName());
  QByteArray bytes;
  if (written.open(QIODevice::ReadOnly)) bytes = written.readAll();
  if (!bytes.trimmed().endsWith("%%EOF")) {
    // The printer's PDF stream stays failed after a failed write: the next
    // document gets a printer of its own.
    g_printer.reset();
    g_pdfApplied.clear();
    throw FileError("the PDF file could not be written completely", ProgramPath(target));
  }
  ReplaceFileWithBytes(ProgramPath(target), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool DocumentOpen() { return g_recording ? g_recordingDocumentOpen : g_painter != nullptr; }

double PageWidth() { return g_recording ? g_recording->Width() : Printer().width(); }

double PageHeight() { return g_recording ? g_recording->Height() : Printer().height(); }

void SetRecordingPrinter(RecordingCanvas* canvas) {
  g_recording = canvas;
  g_recordingDocumentOpen = false;
}

Canvas& PrinterCanvas() {
  if (g_recording) return *g_recording;
  if (!g_canvas) {
    g_canvas = std::make_unique<detail::QPainterCanvas>(
        []() -> QPaintDevice* { return nullptr; },  // never a painter of its own
        []() -> QPainter* { return g_painter.get(); }, std::function<void()>{},
        std::function<void()>{}, []() -> QPaintDevice* { return &Printer(); });
  }
  return *g_canvas;
}

}  // namespace plat
