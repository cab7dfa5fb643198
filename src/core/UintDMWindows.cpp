// Window services of the data module: the borderless windows' outline and dragging.
#include "Forms.h"
#include "UintDM.h"

void TDM::SetFormRegion(TForm* form, int width, int height) {
    if (!form) return;
    form->SetWindowRegion({{3, 0},
                           {width - 3, 0},
                           {width, 3},
                           {width, height - 3},
                           {width - 3, height},
                           {3, height},
                           {0, height - 3},
                           {0, 3}});
}

void TDM::DragForm(TForm* form) {
    if (form) form->StartSystemMove();
}
