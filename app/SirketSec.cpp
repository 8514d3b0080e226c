#include "app/SirketSec.h"

#include "app/PickList.h"
#include "store/GlobalData.h"
#include "widgets/Capitals.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

namespace {

// The company pick list: Enter, a double-click and Esc all take the highlighted code.
class CompanyPick : public PickList {
public:
    CompanyPick(Shell& shell, Table& table, QWidget* parent)
        : PickList(shell, QStringLiteral("Şirket listesi"), table,
                   {{QStringLiteral("Ş.Kodu"), QStringLiteral("SKodu"), 90},
                    {QStringLiteral("Ünvanı"), QStringLiteral("Aciklama"), 260}},
                   parent)
    {
        setStatusText(0, QStringLiteral("   Mouse ile çift klik veya enter şirket seçer."));
        addCommand(
            QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
            [this] { MenuIslem(QStringLiteral("Sec")); }, false);
        resize(420, 360);
    }
};

} // namespace

TfrmSirketSec::TfrmSirketSec(Shell& shell, QWidget* parent)
    : FormBase(shell, QStringLiteral("Şirket seç"), parent, false)
{
    setObjectName(QStringLiteral("frmSirketSec"));
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Çalışılacak şirket kodu : "), this));
    code_ = new QLineEdit(shell.activeCompanyCode, this);
    code_->setMaxLength(8);
    typeInCapitals(code_);
    row->addWidget(code_);
    content()->addLayout(row);
    addField(code_, QStringLiteral("Çalışılacak şirketin kodunu giriniz"));
    addCommand(QStringLiteral("Sec"), QStringLiteral("Şirket seç [F2]"), Qt::Key_F2,
               QStringLiteral("Şirket üzerinde çalışmaya başla"), [this] { choose(); });
    addCommand(QStringLiteral("Liste"), QStringLiteral("Şirket listesi [F6]"), Qt::Key_F6,
               QStringLiteral("Şirket listesi"), [this] { pickFromList(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Rejected); });
    code_->setFocus();
    code_->selectAll();
}

void TfrmSirketSec::choose()
{
    const QString code = code_->text().trimmed();
    if (shell().global && shell().global->CompanyCodeExists(code)) {
        shell().companyIsOpen = true;
        shell().activeCompanyCode = code;
        closeWindow(QDialog::Accepted);
        return;
    }
    NoticeBox(shell(), QStringLiteral("Şirket kodu bulunamadı"),
              QStringLiteral("tekrar deneyiniz !!"), QStringLiteral("Şirket seçimi"), this);
    shell().companyIsOpen = false;
    shell().activeCompanyCode.clear();
    code_->setFocus();
}

void TfrmSirketSec::pickFromList()
{
    if (!shell().global) return;
    Table companies(shell().global->connection(), QStringLiteral("Sirket"));
    companies.setIndexName(QStringLiteral("Sirket_1"));
    companies.setFilter(QStringLiteral("Liste = 'E'"));
    companies.setFiltered(true);
    companies.open();
    CompanyPick pick(shell(), companies, this);
    pick.run();
    if (pick.chosenId() > 0 && companies.gotoId(pick.chosenId()))
        code_->setText(companies[QStringLiteral("SKodu")].asString());
    code_->setFocus();
}
