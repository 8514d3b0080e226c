#include "stock/StHar.h"

#include "stock/StHarF.h"
#include "stock/StKartF.h"
#include "stock/StockCards.h"
#include "stock/StockLedger.h"
#include "stock/StokL.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kTitle = QStringLiteral("Stok hareket kontrol");

} // namespace

std::vector<GridColumn> stockMovementColumns(CompanyData& company, std::vector<GridColumn> leading)
{
    const auto format = [&](const char* field) {
        return company.displayFormat(QStringLiteral("StHar"), QLatin1String(field));
    };
    std::vector<GridColumn> c = std::move(leading);
    c.push_back({QStringLiteral("G.Miktar"), QStringLiteral("GMiktari"), 80, format("GMiktari")});
    c.push_back({QStringLiteral("G.Fiyat"), QStringLiteral("GFiyati"), 80, format("GFiyati")});
    c.push_back(
        {QStringLiteral("G.Tutarı"), QStringLiteral("GTutari"), 100, company.moneyFormat()});
    c.push_back({QStringLiteral("Ç.Miktar"), QStringLiteral("CMiktari"), 80, format("CMiktari")});
    c.push_back({QStringLiteral("Ç.Fiyat"), QStringLiteral("CFiyati"), 80, format("CFiyati")});
    c.push_back(
        {QStringLiteral("Ç.Tutarı"), QStringLiteral("CTutari"), 100, company.moneyFormat()});
    c.push_back({QStringLiteral("K"), QStringLiteral("Kaynak"), 30});
    return c;
}

TfrmStHar::TfrmStHar(Shell& shell, QWidget* parent)
    : ListWindow(
          shell, QStringLiteral("Stok İşlemleri"), shell.company->table(QStringLiteral("StHar")),
          stockMovementColumns(*shell.company,
                               {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                                {QStringLiteral("Belge No"), QStringLiteral("BelgeNo"), 80},
                                {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 170}}),
          parent)
{
    setObjectName(QStringLiteral("frmStHar"));
    setDeleteTexts({QStringLiteral("Stok hareketini silmek istediğinize"),
                    QStringLiteral("emin misiniz ?"),
                    QStringLiteral("Stok hareket bilgisini tamamıyla kaybedeceksiniz"),
                    QStringLiteral("emin misiniz ? "), kTitle});
    setOwnedRecords({QStringLiteral("Kaynak"), StockKaynak::ST,
                     QStringLiteral("Kaynak program stok değil"),
                     QStringLiteral("düzeltme işlemi yapılamaz !"), kTitle,
                     QStringLiteral("iptal işlemi yapılamaz !"), kTitle});
    addCommand(QStringLiteral("YeniKart"), QStringLiteral("Yeni Stok Kart [F5]"), Qt::Key_F5,
               QString(), [this] {
                   TfrmStKartF window(this->shell(),
                                      this->shell().company->table(QStringLiteral("Stok")),
                                      TfrmStKartF::Mode::New, QString(), this);
                   window.run();
                   showCard();
               });
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this] {
                   Table& stok = this->shell().company->table(QStringLiteral("Stok"));
                   TfrmStokL::pick(this->shell(), stok, this);
                   showCard();
                   goLast();
               });
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{stockId_, {}}; });

    // The card's totals, bound to the card as the last recompute left them.
    auto* grid = new QGridLayout;
    const auto box = [&](int index, int row, int column) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        edit->setMinimumWidth(110);
        totals_[index] = edit;
        grid->addWidget(edit, row, column);
    };
    const QStringList sides = {QStringLiteral("GİREN"), QStringLiteral("ÇIKAN"),
                               QStringLiteral("BAKİYE")};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(sides[i], this), 0, i * 2, 1, 2, Qt::AlignCenter);
        box(i * 2, 2, i * 2);
        box(i * 2 + 1, 2, i * 2 + 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("ENVANTER TUTARLARI"), this), 0, 6, 1, 3,
                    Qt::AlignCenter);
    const QStringList values = {QStringLiteral("FİFO"), QStringLiteral("LİFO"),
                                QStringLiteral("ORTALAMA")};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(values[i], this), 1, 6 + i, Qt::AlignCenter);
        box(6 + i, 2, 6 + i);
    }
    content()->addLayout(grid);
    resize(1100, 600);
    showCard();
    goLast();
}

void TfrmStHar::open(Shell& shell, QWidget* parent)
{
    Table& stok = shell.company->table(QStringLiteral("Stok"));
    const qint64 current = stok.currentId(); // the list opens on the card last worked on
    stok.setFiltered(false);
    stok.setIndexName(QStringLiteral("Stok_2"));
    Table& har = shell.company->table(QStringLiteral("StHar"));
    har.setIndexName(QStringLiteral("StHar_1"));
    TfrmStokL::pick(shell, stok, parent, current);
    TfrmStHar window(shell, parent);
    window.run();
    har.setFiltered(false);
}

QString TfrmStHar::totalText(int index) const
{
    return totals_[index]->text();
}

void TfrmStHar::showCard()
{
    Table& stok = shell().company->table(QStringLiteral("Stok"));
    stockId_ = stok.isEmpty() ? 0 : stok.currentId();
    table().setFilter(QStringLiteral("STRef = %1").arg(stockId_));
    table().setFiltered(true);
    setWindowTitle(QStringLiteral("[-%1-%2-] şirketi Stok İşlemleri [%3 : %4]")
                       .arg(shell().activeCompanyCode, shell().activeCompanyTitle,
                            stockId_ ? stok[QStringLiteral("Kodu")].asString() : QString(),
                            stockId_ ? stok[QStringLiteral("Cinsi")].asString() : QString()));
    reload();
}

void TfrmStHar::updateCommands()
{
    ListWindow::updateCommands();
    if (!stockId_) {
        for (QLineEdit* box : totals_)
            box->clear();
        return;
    }
    // The totals are recomputed after every command, and a warning is shown once for it.
    CompanyData& company = *shell().company;
    const StockTotals::Totals t = RecomputeStockTotals(company, stockId_);
    const QString quantity =
                      company.displayFormat(QStringLiteral("StHar"), QStringLiteral("GMiktari")),
                  money = company.moneyFormat();
    const qint64 values[9] = {t.gm, t.gt, t.cm, t.ct, t.tm, t.tt, t.fifo, t.lifo, t.ort};
    for (int i = 0; i < 9; ++i) {
        const bool isQuantity = i < 6 && i % 2 == 0;
        totals_[i]->setText(
            formatNumber(StockTotals::toDouble(values[i]), isQuantity ? quantity : money));
    }
    const std::vector<SqlRow> card = company.connection().select(
        QStringLiteral("SELECT \"Cinsi\", \"Birim\", \"Kritik\" FROM \"Stok\" WHERE \"Nosu\" = ?"),
        {stockId_});
    if (card.empty()) return;
    if (const auto warning =
            StockCards::quantityWarning(card[0][0].toString(), card[0][1].toString(),
                                        card[0][2].toDouble(), StockTotals::toDouble(t.tm)))
        NoticeBox(shell(), (*warning)[0], (*warning)[1], QStringLiteral("Stok envanter kontrol"),
                  this);
}

void TfrmStHar::newRecord()
{
    if (!stockId_) {
        NoticeBox(shell(), QStringLiteral("Kayıtlı stok kartı yok"),
                  QStringLiteral("işlem yapılamaz !"), kTitle, this);
        return;
    }
    TfrmStHarF window(shell(), stockId_, 0, this);
    window.run();
    if (window.savedId()) table().gotoId(window.savedId());
}

void TfrmStHar::editRecord()
{
    TfrmStHarF window(shell(), stockId_, table().currentId(), this);
    window.run();
    if (window.savedId()) table().gotoId(window.savedId());
}

void TfrmStHar::deleteRecord()
{
    StockLedger(*shell().company).remove(table().currentId());
}
