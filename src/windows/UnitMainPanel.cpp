// The main window's right-hand panel: today's energy, body type and the skins.
#include "UnitMain.h"

#include "ConstTables.h"
#include "UintDM.h"
#include "WindowBuilder.h"

#include <algorithm>
#include <cmath>

void TMainFrm::BuildTodayPanel() {
    SkGroupBox1 = Place<TSkGroupBox>(this, pnlMain, "SkGroupBox1", 6, 4, 224, 338);
    SkGroupBox1->SetCaption("今日热量");
    // The figures sit on the panel's own light colour, round the box's frame and inside it.
    SkGroupBox1->SetColor(pnlMain->Color());
    Panel4 = Place<TPanel>(this, SkGroupBox1, "Panel4", 4, 20, 216, 312);
    Panel4->SetBevelOuter(bvNone);
    Panel4->SetColor(pnlMain->Color());
    struct TRow {
        const char *Caption, *Name, *Text;
        int Top;
        TLabel** Value;
    };
    const TRow rows[] = {
        {"每日所需热量：", "lblDayKcal", "0Kcal", 4, &lblDayKcal},
        {"早餐推荐(30%)：", "lblZC", "早餐30%", 30, &lblZC},
        {"早餐已摄入：", "lblZC1", "0Kcal", 48, &lblZC1},
        {"早加餐：", "lblZC11", "0Kcal", 66, &lblZC11},
        {"午餐推荐(40%)：", "lblWC", "午餐40%", 92, &lblWC},
        {"午餐已摄入：", "lblWC1", "0Kcal", 110, &lblWC1},
        {"午加餐：", "lblWC11", "0Kcal", 128, &lblWC11},
        {"晚餐推荐(30%)：", "lblNC", "晚餐30%", 154, &lblNC},
        {"晚餐已摄入：", "lblNC1", "0Kcal", 172, &lblNC1},
        {"晚加餐：", "lblNC11", "0Kcal", 190, &lblNC11},
        {"已摄入总热量：", "lblSumKcal", "0Kcal", 216, &lblSumKcal},
        {"基础代谢：", "lblJCDX", "0", 238, &lblJCDX},
        {"工作消耗：", "lblGZXH", "0KCal", 256, &lblGZXH},
        {"活动消耗：", "lblHDXH", "0Kcal", 274, &lblHDXH},
    };
    for (const TRow& row : rows) {
        PlaceLabel(this, Panel4, QString(), row.Caption, 4, row.Top);
        *row.Value = PlaceLabel(this, Panel4, row.Name, row.Text, 110, row.Top);
        (*row.Value)->Font()->SetColor(clBlue);
    }
    // "(未录入）" beside the three main meals until they have a record today.
    TLabel** notEntered[] = {&lblT1, &lblT2, &lblT3};
    for (int i = 0; i < 3; ++i) {
        *notEntered[i] =
            PlaceLabel(this, Panel4, QString("lblT%1").arg(i + 1), "(未录入）", 160, 48 + i * 62);
        (*notEntered[i])->Font()->SetColor(clGray);
    }
    lblKcalHInt = PlaceLabel(this, Panel4, "lblKcalHInt", "至少还需补充热量：", 4, 294);
    lblKcalHInt->Font()->SetStyle(FontStyle(fsBold));
    lblKcalHInt->Font()->SetColor(clRed);

    // The body type has the row to itself: "体型 过度肥胖  超重：12KG" would run over the weight beside it.
    lblZJ = PlaceLabel(this, pnlMain, "lblZJ", "体型 ", 10, 346);
    lblZJ->Font()->SetStyle(FontStyle(fsBold));
    PlaceLabel(this, pnlMain, QString(), "体重：", 10, 364);
    lblTZ = PlaceLabel(this, pnlMain, "lblTZ", "Kg", 46, 364);
}

void TMainFrm::RefreshTodayIntake() {
    // One target throughout: the day's target the user holds.
    double target = 0;
    TryStrToFloat(DM->DayKcal, target);
    lblDayKcal->SetCaption(DM->DayKcal + "Kcal");
    lblZC->SetCaption(FormatFloat("0", target * 0.3) + "Kcal");
    lblWC->SetCaption(FormatFloat("0", target * 0.4) + "Kcal");
    lblNC->SetCaption(FormatFloat("0", target * 0.3) + "Kcal");

    // Yesterday's figures never stay on screen.
    TLabel* mealLabels[] = {lblZC1, lblZC11, lblWC1, lblWC11, lblNC1, lblNC11};
    for (TLabel* l : mealLabels)
        l->SetCaption("0Kcal");
    for (TLabel* l : {lblT1, lblT2, lblT3})
        l->Show();

    double intake = 0;
    const QString today = DateToISO(Date());
    try {
        TADOQuery* q = DM->Qry_Open;
        q->Close();
        q->SQL()->SetText(
            "SELECT CKCLS, sum(KCal) as K from CKRcd where UID=:UID and CKDate=:D group by CKCLS");
        q->Parameters().Assign({{"UID", DM->UID}, {"D", today}});
        q->Open();
        for (; !q->Eof(); q->Next()) {
            const QString meal = q->FieldByName("CKCLS")->AsString();
            const double k = q->FieldByName("K")->AsFloat();
            for (int i = 0; i < 6; ++i) {
                if (meal != MealClasses[i]) continue;
                intake += k;
                mealLabels[i]->SetCaption(FormatFloat("0", k) + "Kcal");
                if (i % 2 == 0) (i == 0 ? lblT1 : i == 2 ? lblT2 : lblT3)->Hide();
            }
        }
        q->Close();
    } catch (const std::exception&) {
        // The figures read so far stay.
    }
    lblSumKcal->SetCaption(FormatFloat("0", intake) + "Kcal");

    const double basal = DM->CalcBMR();
    lblJCDX->SetCaption(FormatFloat("0", basal));
    if (basal > 0) lblGZXH->SetCaption(FormatFloat("0", target - basal) + "KCal");
    const double activity = SumActivityKcal(today).toDouble();

    // Activity energy raises what may still be eaten.
    const double rest = target + activity - intake;
    if (rest >= 1)
        lblKcalHInt->SetCaption("还需补充：" + FormatFloat("0", rest) + "Kcal");
    else if (rest <= -1)
        lblKcalHInt->SetCaption("热量超过：" + FormatFloat("0", -rest) + "Kcal");
    else
        lblKcalHInt->SetCaption("热量平衡");
}

QString TMainFrm::SumActivityKcal(const QString& date) {
    QString result = "0";
    try {
        TADOQuery* q = DM->Qry_Open;
        q->Close();
        q->SQL()->SetText("Select sum(KCal) as K From SPRcd Where UID=:UID And DT=:D");
        q->Parameters().Assign({{"UID", DM->UID}, {"D", date}});
        q->Open();
        result = FormatFloat("0", std::round(q->FieldByName("K")->AsFloat()));
        q->Close();
    } catch (const std::exception&) {
        result = "0";
    }
    lblHDXH->SetCaption(result + "Kcal");
    return result;
}

void TMainFrm::ApplySkin(int skinNo, const QString& formName) {
    if (formName.compare("MainFrm", Qt::CaseInsensitive) == 0) {
        ApplySkinTo(skinNo, this);
        return;
    }
    TForm* form = nullptr;
    for (int i = 0; i < Application->ComponentCount() && !form; ++i)
        if (Application->Components(i)->Name().compare(formName, Qt::CaseInsensitive) == 0)
            form = dynamic_cast<TForm*>(Application->Components(i));
    ApplySkinTo(skinNo, form);
}

namespace {

bool AllFilesExist(const std::array<QString, 5>& files) {
    return std::all_of(files.begin(), files.end(), [](const QString& file) { return FileExists(file); });
}

}  // namespace

void TMainFrm::ApplySkinTo(int skinNo, TForm* form) {
    if (skinNo != 1 && skinNo != 2) return;
    const TColor color = SkinColor(skinNo);
    for (TPanel* p : {pnlLeft1, pnlLeft2, pnlBM, pnlBtm, pnlRight2, pnlRight1, pnlTit})
        if (p) p->SetColor(color);  // the login panel's title comes with the hidden parts
    Label6->Font()->SetColor(SkinTextColor(skinNo));
    if (pnlTit) pnlTit->Font()->SetColor(SkinTextColor(skinNo));
    if (form == this) {
        const auto& images = skinNo == 1 ? BlueImages : PinkImages;
        if (!AllFilesExist(images)) return;  // colours change, images stay
        try {
            imgMtop->Picture()->LoadFromFile(images[1]);
            img4->Picture()->LoadFromFile(images[0]);
        } catch (const Exception&) {
            // A damaged skin image leaves the window as it was.
        }
        return;
    }
    const TTitlePictures* pictures = form ? TitlePictures(skinNo) : nullptr;
    if (!pictures) return;
    const char* parts[] = {"imgLeft", "imgCenter", "imgRight"};
    for (int i = 0; i < 3; ++i)
        if (auto* img = dynamic_cast<TImage*>(form->FindComponent(parts[i])))
            img->Picture()->Assign((*pictures)[i].get());
}

const TMainFrm::TTitlePictures* TMainFrm::TitlePictures(int skinNo) {
    TTitlePictures& pictures = FTitlePictures[skinNo - 1];
    if (pictures[0]) return &pictures;
    const auto& images = skinNo == 1 ? BlueImages : PinkImages;
    if (!AllFilesExist(images)) return nullptr;
    try {
        TTitlePictures loaded;
        for (int i = 0; i < 3; ++i) {
            loaded[i] = std::make_unique<TPicture>();
            loaded[i]->LoadFromFile(images[2 + i]);
        }
        pictures = std::move(loaded);
        return &pictures;
    } catch (const Exception&) {
        return nullptr;  // a damaged skin image leaves the windows as they are
    }
}
