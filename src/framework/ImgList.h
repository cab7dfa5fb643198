// Image lists: pictures of one size, drawn by index (tree-node icons, glyph strips). Those who
// follow a list's changes register a change link with it.
#pragma once

#include "Classes.h"
#include "Graphics.h"

#include <QImage>
#include <vector>

class TBitmap;
class TCustomImageList;

// Hears of every change of the list it is registered with; unregisters itself when freed, and
// forgets the list when the list goes first.
class TChangeLink : public TObject {
  public:
    TChangeLink() = default;
    ~TChangeLink() override;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    TCustomImageList* Sender() const { return FSender; }
    TNotifyEvent OnChange;

  private:
    friend class TCustomImageList;
    TCustomImageList* FSender = nullptr;
};

class TCustomImageList : public TComponent {
    Q_OBJECT
  public:
    explicit TCustomImageList(TComponent* AOwner);
    ~TCustomImageList() override;

    void RegisterChanges(TChangeLink* Link);
    void UnRegisterChanges(TChangeLink* Link);

    // Changing the size empties the list.
    int Width() const { return FWidth; }
    void SetWidth(int width);
    int Height() const { return FHeight; }
    void SetHeight(int height);
    int Count() const { return int(FImages.size()); }

    // A bitmap wider than Width is a strip of images, each added in turn; returns the first index.
    // Pixels set in the mask (non-black) are left out.
    int Add(TBitmap* image, TBitmap* mask = nullptr);
    // Pixels of maskColor are left out.
    int AddMasked(TBitmap* image, TColor maskColor);
    int AddImage(const QImage& image);
    // Any registered picture format, by the file's extension.
    int AddFromFile(const QString& fileName);
    void Delete(int index);
    void Clear();

    // Draws image `index` with its top-left corner at (x, y); a disabled image is drawn faded.
    void Draw(TCanvas* canvas, int x, int y, int index, bool enabled = true);

    // Framework use: image `index` as Width x Height pixels with transparency.
    QImage Image(int index) const;

  protected:
    // Tells every change link.
    void Changed();

  private:
    std::vector<QImage> FImages;
    std::vector<TChangeLink*> FLinks;
    int FWidth = 16, FHeight = 16;
};

class TImageList : public TCustomImageList {
    Q_OBJECT
  public:
    using TCustomImageList::TCustomImageList;
};
