#include "ProgramImages.h"

#include "WindowBuilder.h"

TImageList* CreateTreeImages(TComponent* owner) {
    auto* images = new TImageList(owner);
    for (int i = 0; i < 4; ++i) images->AddFromFile(QStringLiteral(":/icons/tree%1.png").arg(i));
    return images;
}

TSkTreeView* PlaceTree(TComponent* owner, TWinControl* parent, const QString& name, int left, int top, int width,
                       int height, bool keepSelectionShown) {
    auto* tree = Place<TSkTreeView>(owner, parent, name, left, top, width, height);
    tree->SetImages(CreateTreeImages(owner));
    tree->SetReadOnly(true);
    if (keepSelectionShown) tree->SetHideSelection(false);
    return tree;
}
