// Printing on the system's default printer, through one replaceable printer so tests can read what
// was printed.
#pragma once

#include "Classes.h"
#include "Graphics.h"
#include "SysUtils.h"

class EPrinter : public Exception {
  public:
    using Exception::Exception;
};

// A document is BeginDoc, drawing on Canvas (NewPage between pages), then EndDoc (or Abort).
// Canvas units are pixels at 96 per inch, so fonts measure as they do on the screen.
class TPrinter : public TObject {
  public:
    // The installed printers, the default one first; empty when the system has none.
    TStringList* Printers();
    QString Title() const { return FTitle; }
    void SetTitle(const QString& title) { FTitle = title; }

    // EPrinter when there is no printer or a document is already being printed.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    void Abort();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }
    // The page being printed, from 1.
    int PageNumber() const { return FPageNumber; }

    virtual TCanvas* Canvas() = 0;
    // The printable area of a page.
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;

  protected:
    virtual QStringList ListPrinters() = 0;
    virtual void DoBeginDoc() = 0;
    virtual void DoNewPage() = 0;
    virtual void DoEndDoc() = 0;
    virtual void DoAbort() = 0;

  private:
    TStringList FPrinters;
    QString FTitle;
    bool FPrinting = false, FAborted = false;
    int FPageNumber = 0;
};

// The printer in use: the system's default printer unless another was set.
TPrinter* Printer();
// nullptr restores the system's printer.
void SetPrinter(TPrinter* printer);
