#include "ProgramImages.h"

#include "WindowBuilder.h"

namespace {

TImageList* TreeImages(TComponent* owner, std::initializer_list<int> icons) {
    auto* images = new TImageList(owner);
    for (int i : icons)
        images->AddFromFile(QStringLiteral(":/icons/tree%1.png").arg(i));
    return images;
}

}  // namespace

TImageList* CreateTreeImages(TComponent* owner) {
    return TreeImages(owner, {0, 1, 2, 3});
}

TImageList* CreateItemTreeImages(TComponent* owner) {
    return TreeImages(owner, {0, 2, 3});
}

TSkTreeView* PlaceTree(TComponent* owner, TWinControl* parent, const QString& name, int left, int top,
                       int width, int height, bool keepSelectionShown, TTreeIcons icons) {
    auto* tree = Place<TSkTreeView>(owner, parent, name, left, top, width, height);
    tree->SetImages(icons == TTreeIcons::Items ? CreateItemTreeImages(owner) : CreateTreeImages(owner));
    tree->SetReadOnly(true);
    if (keepSelectionShown) tree->SetHideSelection(false);
    return tree;
}
