#include "UnitHelath.h"

#include "ConstTables.h"
#include "WindowBuilder.h"
#include "SiteAddresses.h"

#include <QFile>
#include <algorithm>
#include <array>

THelathFrm* HelathFrm = nullptr;

namespace {

struct THealthKind {
    const char *ListTitle, *PageTitle, *PathPrefix;
};
// By kind 1 to 4: the list's title, the page panel's caption and where the entries' pages lie.
const THealthKind HealthKinds[] = {
    {"食物列表", " 食物的功效作用", "/zhongyao/0"},
    {"中药列表", "  中药的功效作用", "/2/"},
    {"食谱列表", "  保健食谱", "/ShiPu/"},
    {"饮茶列表", "  养生茶疗", "/Cha/"},
};
constexpr int KindCount = 4;

// The four lists travel with the program: one entry a line, "kind<TAB>code<TAB>name".
std::array<std::vector<THealthEntry>, KindCount> ReadHealthLists() {
    std::array<std::vector<THealthEntry>, KindCount> lists;
    QFile file(QStringLiteral(":/data/health-lists.txt"));
    if (!file.open(QIODevice::ReadOnly)) return lists;
    for (const QString& line :
         QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        const int kind = f.value(0).toInt();
        if (f.size() == 3 && kind >= 1 && kind <= KindCount) lists[kind - 1].push_back({f[1], f[2]});
    }
    return lists;
}

bool ValidKind(int kind) {
    return kind >= 1 && kind <= KindCount;
}

}  // namespace

const std::vector<THealthEntry>& HealthEntries(int kind) {
    static const auto lists = ReadHealthLists();
    static const std::vector<THealthEntry> none;
    return ValidKind(kind) ? lists[kind - 1] : none;
}

QString HealthPagePath(int kind, const QString& code) {
    if (!ValidKind(kind)) return {};
    return QString::fromUtf8(HealthKinds[kind - 1].PathPrefix) + code + QStringLiteral(".htm");
}

THelathFrm::THelathFrm(TComponent* AOwner) : TForm(AOwner) {
    SetName("HelathFrm");
    SetCaption("健康资讯");
    SetBorderStyle(bsNone);
    SetClientWidth(995);
    SetClientHeight(528);
    SetColor(clWhite);

    pnlLeft = Place<TPanel>(this, this, "pnlLeft", 0, 0, 212, 528);
    pnlLeft->SetAlign(alLeft);
    pnlLeft->SetBevelOuter(bvNone);
    pnlLeft->SetColor(0xFCF6EE);
    BuildLinks();
    lbltit = PlaceLabel(this, pnlLeft, "lbltit", "", 10, 62);
    lbltit->Font()->SetStyle(FontStyle(fsBold));
    Lst_FD = Place<TSkListBox>(this, pnlLeft, "Lst_FD", 6, 84, 200, 438);
    Lst_FD->SetStyle(lbOwnerDrawFixed);
    Lst_FD->SetItemHeight(22);
    Lst_FD->OnClick = [this](TObject* s) { Lst_FDClick(s); };
    // An entry found by typing its name opens as a click opens it.
    Lst_FD->OnMatch = [this](TObject* s) { Lst_FDClick(s); };
    // The list reaches down to the panel's foot whatever height the window is docked at.
    pnlLeft->OnResize = [this](TObject*) {
        Lst_FD->SetHeight(std::max(Lst_FD->ItemHeight(), pnlLeft->ClientHeight() - Lst_FD->Top() - 6));
    };

    pnltit = Place<TPanel>(this, this, "pnltit", 212, 0, 783, 30);
    pnltit->SetAlign(alTop);
    pnltit->SetAlignment(taLeftJustify);
    pnltit->SetBevelOuter(bvNone);
    pnltit->SetColor(0xF8B600);
    pnltit->Font()->SetColor(clWhite);
    pnltit->Font()->SetStyle(FontStyle(fsBold));
    pnltit->Font()->SetSize(11);
    SP = Place<TPanel>(this, this, "SP", 212, 506, 783, 22);
    SP->SetAlign(alBottom);
    SP->SetAlignment(taLeftJustify);
    SP->SetBevelOuter(bvLowered);
    Web = Place<TWebBrowser>(this, this, "Web", 212, 30, 783, 476);
    Web->SetAlign(alClient);
    Web->OnDownloadBegin = [this](TObject* s) { WebDownloadBegin(s); };
    Web->OnDownloadComplete = [this](TObject* s) { WebDownloadComplete(s); };

    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

THelathFrm::~THelathFrm() {
    ClearObjectList(*Lst_FD->Items());
    if (HelathFrm == this) HelathFrm = nullptr;
}

void THelathFrm::BuildLinks() {
    struct TLink {
        TLabel** Label;
        const char *Name, *Caption;
        int Tag;
    };
    const TLink links[] = {{&lbl1, "lbl1", "食物功效", 1},
                           {&lbl2, "lbl2", "中药作用", 2},
                           {&lbl3, "lbl3", "保健食谱", 3},
                           {&lbl7, "lbl7", "养生茶疗", 4}};
    for (const TLink& l : links) {
        const int i = l.Tag - 1;
        auto* label = PlaceLabel(this, pnlLeft, l.Name, l.Caption, 12 + (i % 2) * 100, 10 + (i / 2) * 22);
        label->SetTag(l.Tag);
        MakeLink(label);
        label->Font()->SetStyle(FontStyle(fsUnderline));
        label->Font()->SetColor(clBlue);
        label->OnClick = [this](TObject* s) { lbl1Click(s); };
        *l.Label = label;
    }
}

void THelathFrm::LoadList(int kind) {
    Lst_FD->SetTag(kind);
    ClearObjectList(*Lst_FD->Items());
    if (!ValidKind(kind)) return;
    lbltit->SetCaption(QString::fromUtf8(HealthKinds[kind - 1].ListTitle));
    pnltit->SetCaption(QString::fromUtf8(HealthKinds[kind - 1].PageTitle));
    for (const THealthEntry& entry : HealthEntries(kind)) {
        auto* item = new TVC;
        item->Code = entry.Code;
        item->Name = entry.Name;
        Lst_FD->Items()->AddObject(entry.Name, item);
    }
}

void THelathFrm::FormClose(TObject*, TCloseAction& Action) {
    Action = caFree;
}

void THelathFrm::lbl1Click(TObject* Sender) {
    const auto* label = dynamic_cast<const TComponent*>(Sender);
    if (!label) return;
    LoadList(label->Tag());
    Lst_FD->SetItemIndex(0);
    Lst_FDClick(Lst_FD);
}

void THelathFrm::Lst_FDClick(TObject*) {
    const int kind = Lst_FD->Tag();
    const int item = Lst_FD->ItemIndex();
    if (kind < 1 || item < 0) return;
    if (const auto* entry = dynamic_cast<const TVC*>(Lst_FD->Items()->Objects(item)))
        Web->Navigate(InfoSiteRoot() + HealthPagePath(kind, entry->Code));
}

void THelathFrm::WebDownloadBegin(TObject*) {
    SP->SetCaption("正在打开...");
}

void THelathFrm::WebDownloadComplete(TObject*) {
    SP->SetCaption("");
}
