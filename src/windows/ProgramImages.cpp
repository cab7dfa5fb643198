#include "ProgramImages.h"

TImageList* CreateTreeImages(TComponent* owner) {
    auto* images = new TImageList(owner);
    images->SetName("TreeImages");
    for (int i = 0; i < 4; ++i) images->AddFromFile(QStringLiteral(":/icons/tree%1.png").arg(i));
    return images;
}
