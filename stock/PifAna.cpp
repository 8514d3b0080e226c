#include "stock/PifAna.h"

#include "app/MessageWindow.h"
#include "app/TableModel.h"
#include "stock/StockCodes.h"
#include "stock/StockOrders.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/Table.h"
#include "store/TextRules.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace ShelfLabels;

namespace {

const QString kCheck = QStringLiteral("Etiket kontrol");

QStringList items(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

} // namespace

TfrmPifAna::TfrmPifAna(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Etiket basımı"), parent)
{
    setObjectName(QStringLiteral("frmPifAna"));
    commandButton(QStringLiteral("OnIzleme"))->setText(QStringLiteral("Ön İzleme [F2]"));
    commandButton(QStringLiteral("Yazdirma"))->setText(QStringLiteral("Yazdır [F3]"));
    addCommand(QStringLiteral("Filtre"), QStringLiteral("Filtrele [F5]"), Qt::Key_F5, QString(),
               [this] { applyFilter(); });

    shell.install.reload();
    const Choices kept = read(shell.install.ini());
    codes = addTextRange(QStringLiteral("Stok kodu : "),
                         QStringLiteral("Stok kodu aralığını giriniz (F6 kart listesi)"),
                         &stockCodes());
    dates = addDateRange(QStringLiteral("Değ. tarihi : "),
                         QStringLiteral("Fiyat değişiklik başlangıç tarihini giriniz"),
                         QStringLiteral("Fiyat değişiklik bitiş tarihini giriniz"));
    for (int i = 0; i < 3; ++i)
        special[size_t(i)] = addTextRange(QStringLiteral("Özel kod [%1] : ").arg(i + 1),
                                          QStringLiteral("Özel kod aralığını giriniz"));
    static const char* hints[PageFieldCount] = {
        "Etiket sayfa uzunluğu (mm)",
        "Etiket sayfa genişliği (mm)",
        "Yanyana etiket sayısı",
        "Üst marjin (mm)",
        "Alt marjin (mm)",
        "Sol marjin (mm)",
        "Sağ marjin (mm)",
        "Etiket uzunluğu pixel cinsinden (2.6 pixel 1 mm)",
        "Etiket genişliği pixel cinsinden (2.6 pixel 1 mm)"};
    for (int first = 0; first < PageFieldCount; first += 3) {
        std::vector<std::pair<QString, QString>> row;
        for (int f = first; f < first + 3; ++f)
            row.emplace_back(caption(PageField(f)), QString::fromUtf8(hints[f]));
        const std::vector<TextCriterion> made = addTextRow(row);
        for (int f = first; f < first + 3; ++f) {
            page[size_t(f)] = made[size_t(f - first)];
            page[size_t(f)].setText(kept.page[size_t(f)]);
            keepWholeNumber(page[size_t(f)]);
        }
    }

    order = addChoice(QStringLiteral(" Stok listesi "), items({"Koduna", "Cinsine"}), kept.order);
    kdv = addChoice(QStringLiteral(" KDV "), items({"Dahil", "Hariç"}), kept.kdv);
    barcode =
        addChoice(QStringLiteral(" Barkod "), items({"Yazılmasın", "Yazılsın"}), kept.barcode);
    nameFont = addChoice(QStringLiteral(" Cinsi "), items({"10", "12"}), kept.nameFont);
    codeFont = addChoice(QStringLiteral(" Kodu "), items({"10", "12"}), kept.codeFont);
    module = addChoice(QStringLiteral(" Barkod modülü "), items({"1", "2", "3"}), kept.module);
    price = addChoice(QStringLiteral(" Etikete Fiyat "),
                      items({"Fiyat [1]", "Fiyat [2]", "Fiyat [3]"}), kept.price);
    priceFont =
        addChoice(QStringLiteral(" Fiyat "), items({"10", "12", "16", "18", "22"}), kept.priceFont);
    second = addChoice(QStringLiteral(" İkinci Fiyat "),
                       items({"Hiçbiri", "Fiyat [1]", "Fiyat [2]", "Fiyat [3]"}), 0);
    // Offered as before; which cards it is to pick is not settled, so it does not restrict.
    which = addChoice(QStringLiteral(" Etiket yazılsın "), items({"Bakiyeli", "Tümü"}), 0);
    sideBySide({order.group(), kdv.group(), barcode.group(), nameFont.group(), codeFont.group()});
    sideBySide({module.group(), price.group(), priceFont.group()});
    sideBySide({second.group(), which.group()});

    auto* printed = new QGroupBox(QStringLiteral(" Basım bilgileri "), this);
    auto* row = new QHBoxLayout(printed);
    showCode = new QCheckBox(QStringLiteral("Stok kodu yazılsın"), printed);
    showName = new QCheckBox(QStringLiteral("Stok cinsi yazılsın"), printed);
    showPrice = new QCheckBox(QStringLiteral("Fiyatı yazılsın"), printed);
    showCode->setChecked(kept.showCode);
    showName->setChecked(kept.showName);
    showPrice->setChecked(kept.showPrice);
    for (QCheckBox* box : {showCode, showName, showPrice}) {
        box->setFocusPolicy(Qt::NoFocus);
        row->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this] { updateCommands(); });
    }
    content()->addWidget(printed);

    // The cards, on a cursor of the window's own; the filter stays on it.
    cards_ = std::make_unique<Table>(shell.company->connection(), QStringLiteral("Stok"));
    cards_->setIndexName(StockOrder::indexName(order.chosen()));
    cards_->open();
    cards_->last();
    model_ = new TableModel(*cards_,
                            {{QStringLiteral("STOK KODU"), QStringLiteral("Kodu"), 110},
                             {QStringLiteral("STOK CİNSİ"), QStringLiteral("Cinsi"), 180},
                             {QStringLiteral("BİRİM"), QStringLiteral("Birim"), 50},
                             {QStringLiteral("KDV"), QStringLiteral("Normal"), 40},
                             {QStringLiteral("FİYAT[1]"), QStringLiteral("Fiyat1"), 80},
                             {QStringLiteral("FIYAT[2]"), QStringLiteral("Fiyat2"), 80},
                             {QStringLiteral("FIYAT[3]"), QStringLiteral("Fiyat3"), 80},
                             {QStringLiteral("Değ.Tarih"), QStringLiteral("DegTarih"), 80}},
                            this);
    grid_ = new QTableView(this);
    grid_->setModel(model_);
    grid_->setFocusPolicy(Qt::NoFocus);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    for (size_t i = 0; i < model_->columns().size(); ++i)
        grid_->setColumnWidth(int(i), model_->columns()[i].width);
    content()->addWidget(grid_, 1);
    if (const int at = model_->tableRow(); at >= 0) grid_->scrollTo(model_->index(at, 0));

    connect(order.group(), &QButtonGroup::idClicked, this, [this](int id) {
        cards_->setIndexName(StockOrder::indexName(id));
        model_->reload();
    });
    for (const ChoiceCriterion* c : {&order, &kdv, &barcode, &nameFont, &codeFont, &module, &price,
                                     &priceFont, &second, &which})
        focusLastFieldAfterChoice(c->group());
    setWrapFields(true);
    returnToLastField();
    codes.from.edit()->setFocus();
    resize(900, 760);
}

TfrmPifAna::~TfrmPifAna() = default;

Filter TfrmPifAna::filter() const
{
    Filter f;
    f.codeFrom = codes.from.text();
    f.codeTo = codes.to.text();
    f.dateFrom = dates.from.text();
    f.dateTo = dates.to.text();
    for (size_t i = 0; i < 3; ++i) {
        f.specialFrom[i] = special[i].from.text();
        f.specialTo[i] = special[i].to.text();
    }
    return f;
}

Choices TfrmPifAna::choices() const
{
    Choices c;
    for (size_t f = 0; f < page.size(); ++f)
        c.page[f] = page[f].edit()->text();
    c.order = order.chosen();
    c.kdv = kdv.chosen();
    c.barcode = barcode.chosen();
    c.nameFont = nameFont.chosen();
    c.codeFont = codeFont.chosen();
    c.module = module.chosen();
    c.price = price.chosen();
    c.priceFont = priceFont.chosen();
    c.secondPrice = second.chosen() == 0 ? 3 : second.chosen() - 1;
    c.which = which.chosen();
    c.showCode = showCode->isChecked();
    c.showName = showName->isChecked();
    c.showPrice = showPrice->isChecked();
    return c;
}

void TfrmPifAna::applyFilter()
{
    for (const DateCriterion* d : {&dates.from, &dates.to})
        d->setText(NormalizeDateText(d->text()));
    cards_->setFilter(filterText(filter()));
    cards_->setFiltered(true);
    model_->reload();
}

bool TfrmPifAna::ready()
{
    // The page fields made whole first: the last key typed into one is in them too.
    for (const TextCriterion& field : page)
        field.setText(QString::number(SafeStrToInt(field.edit()->text())));
    applyFilter();
    if (const QString refused = refusal(choices()); !refused.isEmpty()) {
        NoticeBox(shell(), QStringLiteral("Etiket ölçüleri hatalı"), refused, kCheck, this);
        return false;
    }
    return true;
}

void TfrmPifAna::preview()
{
    if (!ready()) return;
    // The first labels show while the rest are made.
    RunningReport running = startLabels(*shell().company, filter(), choices());
    showPreview(*running.renderer);
}

void TfrmPifAna::print()
{
    if (ready()) printPages(ShelfLabels::labels(*shell().company, filter(), choices()));
}

void TfrmPifAna::leaving()
{
    write(shell().install.ini(), choices());
}
