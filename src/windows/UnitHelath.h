// The health-information window: four lists (food efficacy, herbal medicines, health recipes, health
// teas) and, for the entry clicked, its page in a browser pane.
#pragma once

#include "Forms.h"
#include "SHDocVw.h"
#include "ExtCtrls.h"
#include "SkLstBox.h"
#include "StdCtrls.h"

#include <vector>

// One entry of a health-information list: the code names its page.
struct THealthEntry {
    QString Code, Name;
};
// The entries of list `kind` (1 to 4) in list order; empty for any other kind.
const std::vector<THealthEntry>& HealthEntries(int kind);
// The page of an entry of list `kind`, below the site root: such as "/zhongyao/012.htm".
QString HealthPagePath(int kind, const QString& code);

class THelathFrm : public TForm {
    Q_OBJECT
public:
    explicit THelathFrm(TComponent* AOwner);
    ~THelathFrm() override;

    TPanel* pnlLeft;
    TLabel *lbl1, *lbl2, *lbl3, *lbl7;
    TLabel* lbltit;
    TSkListBox* Lst_FD;
    TPanel* pnltit;
    TWebBrowser* Web;
    TPanel* SP;

    // Shows the list of `kind` (1 to 4); any other kind leaves the list empty.
    void LoadList(int kind);

    void FormClose(TObject* Sender, TCloseAction& Action);
    void lbl1Click(TObject* Sender);
    void Lst_FDClick(TObject* Sender);
    void WebDownloadBegin(TObject* Sender);
    void WebDownloadComplete(TObject* Sender);

private:
    void BuildLinks();
};

extern THelathFrm* HelathFrm;
