// Test double for the printer: records every text with its place and font, and every page.
#pragma once

#include "Printers.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct TPrintedText {
    QString Text;
    int X = 0, Y = 0;
    int FontSize = 0;
    bool Bold = false;
    int Page = 0; // from 1
};

// Installed for its lifetime. Pass no printer names to stand for a system without a printer.
class TRecordingPrinter : public TPrinter {
  public:
    explicit TRecordingPrinter(QStringList printers = {QStringLiteral("Recording printer")},
                               int pageWidth = 794, int pageHeight = 1123)
        : FNames(std::move(printers)), FPageWidth(pageWidth), FPageHeight(pageHeight) {
        FCanvas.OnText = [this](int x, int y, const QString& text) {
            Texts.push_back(
                {text, x, y, FCanvas.Font()->Size(), FCanvas.Font()->HasStyle(fsBold), PageNumber()});
        };
        SetPrinter(this);
    }
    ~TRecordingPrinter() override { SetPrinter(nullptr); }

    TCanvas* Canvas() override { return &FCanvas; }
    int PageWidth() override { return FPageWidth; }
    int PageHeight() override { return FPageHeight; }

    std::vector<TPrintedText> Texts;
    int Documents = 0, Pages = 0, Finished = 0;
    QStringList Titles;

    // The texts printed on one page, in order.
    std::vector<TPrintedText> TextsOnPage(int page) const {
        std::vector<TPrintedText> result;
        for (const TPrintedText& t : Texts)
            if (t.Page == page) result.push_back(t);
        return result;
    }
    // The first text equal to `text`, or nullptr.
    const TPrintedText* Find(const QString& text) const {
        for (const TPrintedText& t : Texts)
            if (t.Text == text) return &t;
        return nullptr;
    }

  protected:
    QStringList ListPrinters() override { return FNames; }
    void DoBeginDoc() override {
        ++Documents;
        ++Pages;
        Titles << Title();
    }
    void DoNewPage() override { ++Pages; }
    void DoEndDoc() override { ++Finished; }
    void DoAbort() override {}

  private:
    // Measures as a real canvas does and records instead of drawing.
    class TRecordingCanvas : public TCanvas {
      public:
        std::function<void(int, int, const QString&)> OnText;
        void TextOut(int x, int y, const QString& text) override {
            OnText(x, y, text);
            SetPenPos({x + TextWidth(text), y});
        }
    };
    QStringList FNames;
    int FPageWidth, FPageHeight;
    TRecordingCanvas FCanvas;
};
