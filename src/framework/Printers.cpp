#include "Printers.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <memory>

TStringList* TPrinter::Printers() {
    FPrinters.Assign(ListPrinters());
    return &FPrinters;
}

void TPrinter::BeginDoc() {
    if (FPrinting) throw EPrinter(QStringLiteral("正在打印，不能开始新的文档"));
    if (ListPrinters().isEmpty()) throw EPrinter(QStringLiteral("没有安装打印机"));
    DoBeginDoc();
    FPrinting = true;
    FAborted = false;
    FPageNumber = 1;
}

void TPrinter::NewPage() {
    if (!FPrinting) throw EPrinter(QStringLiteral("没有正在打印的文档"));
    DoNewPage();
    ++FPageNumber;
}

void TPrinter::EndDoc() {
    if (!FPrinting) throw EPrinter(QStringLiteral("没有正在打印的文档"));
    FPrinting = false;
    DoEndDoc();
}

void TPrinter::Abort() {
    if (!FPrinting) throw EPrinter(QStringLiteral("没有正在打印的文档"));
    FPrinting = false;
    FAborted = true;
    DoAbort();
}

namespace {

constexpr int CanvasDpi = ScreenPixelsPerInch;

// The default printer of the system through Qt's print support.
class TSystemPrinter : public TPrinter {
  public:
    TCanvas* Canvas() override { return &FCanvas; }
    int PageWidth() override { return PaintRect().width(); }
    int PageHeight() override { return PaintRect().height(); }

  protected:
    QStringList ListPrinters() override {
        QStringList names = QPrinterInfo::availablePrinterNames();
        const QString preferred = QPrinterInfo::defaultPrinterName();
        if (names.removeAll(preferred) > 0) names.prepend(preferred);
        return names;
    }

    void DoBeginDoc() override {
        QPrinter* printer = Device();
        if (!printer) throw EPrinter(QStringLiteral("没有安装打印机"));
        printer->setDocName(Title());
        if (!FPainter.begin(printer)) throw EPrinter(QStringLiteral("打印机无法开始打印"));
        const double scale = double(printer->resolution()) / CanvasDpi;
        FPainter.scale(scale, scale);
        FCanvas.BeginPaint(&FPainter);
    }
    void DoNewPage() override { Device()->newPage(); }
    void DoEndDoc() override {
        FCanvas.EndPaint();
        FPainter.end();
    }
    void DoAbort() override {
        FCanvas.EndPaint();
        Device()->abort();
        FPainter.end();
    }

  private:
    QPrinter* Device() {
        if (!FDevice) {
            QPrinterInfo info = QPrinterInfo::defaultPrinter();
            if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
                info = QPrinterInfo::availablePrinters().first();
            if (info.isNull()) return nullptr;
            FDevice = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
        return FDevice.get();
    }
    QRect PaintRect() {
        // Without a printer, an A4 page tells callers how much would fit.
        const QPageLayout layout =
            Device() ? Device()->pageLayout()
                     : QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
        return layout.paintRectPixels(CanvasDpi);
    }

    std::unique_ptr<QPrinter> FDevice;
    QPainter FPainter;
    TCanvas FCanvas;
};

TPrinter* gPrinter = nullptr;

} // namespace

TPrinter* Printer() {
    // Never freed: a print engine must not outlive the application object at exit.
    static auto* systemPrinter = new TSystemPrinter;
    return gPrinter ? gPrinter : systemPrinter;
}

void SetPrinter(TPrinter* printer) {
    gPrinter = printer;
}
