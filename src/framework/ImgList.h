// Image lists: pictures of one size, drawn by index (tree-node icons).
#pragma once

#include "Classes.h"
#include "Graphics.h"

#include <QImage>
#include <vector>

class TBitmap;
class TImageList;

// Hears of every change of the image list it is registered with (a control that sizes itself to
// the images).
class TChangeLink {
public:
    TChangeLink() = default;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    ~TChangeLink();
    TImageList* Sender() const { return FSender; }
    TNotifyEvent OnChange;

private:
    TImageList* FSender = nullptr;
    friend class TImageList;
};

class TImageList : public TComponent {
    Q_OBJECT
  public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    // A link hears of every later change of size or images until it is unregistered or freed.
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

  private:
    void Change();
    std::vector<QImage> FImages;
    std::vector<TChangeLink*> FChangeLinks;
    int FWidth = 16, FHeight = 16;
};
