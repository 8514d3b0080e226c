#include "customers/CariListe.h"

#include "store/InstallSettings.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

std::vector<GridColumn> columnsFor(int order)
{
    const GridColumn code(QStringLiteral("Kodu"), QStringLiteral("CariNo"), 90);
    const GridColumn title(QStringLiteral("Ünvanı"), QStringLiteral("Unvani"), 260);
    const GridColumn contact(QStringLiteral("Yetkili"), QStringLiteral("Yetkili"), 160);
    if (order == 0) return {code, title, contact};
    if (order == 2) return {contact, code, title};
    return {title, contact, code};
}

} // namespace

TfrmCariListe::TfrmCariListe(Shell& shell, Table& cari, bool banksOnly, QWidget* parent)
    : PickList(shell, QStringLiteral("Cari kart listesi"), cari, columnsFor(1), parent)
{
    setObjectName(QStringLiteral("frmCariListe"));
    if (banksOnly) {
        cari.setFilter(QStringLiteral("CariDurum = 3"));
        cari.setFiltered(true);
    }
    auto* box = new QGroupBox(QStringLiteral(" Cari kart listesi "), this);
    auto* layout = new QHBoxLayout(box);
    orders_ = new QButtonGroup(this);
    const char* captions[] = {"&Koduna", "Ü&nvanina", "&Yetkili kişiye"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(captions[i]), box);
        radio->setFocusPolicy(Qt::NoFocus);
        orders_->addButton(radio, i);
        layout->addWidget(radio);
    }
    content()->insertWidget(0, box);
    connect(orders_, &QButtonGroup::idClicked, this, &TfrmCariListe::setOrder);
    setOrder(std::clamp(shell.install.caril(), 0, 2));
}

void TfrmCariListe::setOrder(int order)
{
    order_ = order;
    if (QAbstractButton* b = orders_->button(order)) b->setChecked(true);
    const qint64 at = table().currentId();
    table().setIndexName(order == 0   ? QStringLiteral("Cari_1")
                         : order == 2 ? QStringLiteral("Cari_3")
                                      : QStringLiteral("Cari_2"));
    if (at > 0) table().gotoId(at);
    setColumns(columnsFor(order));
}

TfrmCariListe::Choice TfrmCariListe::pick(Shell& shell, Table& cari, bool banksOnly,
                                          QWidget* parent)
{
    TfrmCariListe list(shell, cari, banksOnly, parent);
    list.run();
    Choice choice;
    if (list.chosenId() <= 0 || !cari.gotoId(list.chosenId())) return choice;
    shell.install.setCaril(list.order());
    choice.code = cari[QStringLiteral("CariNo")].asString();
    choice.title = cari[QStringLiteral("Unvani")].asString();
    choice.id = list.chosenId();
    choice.gzam = cari[QStringLiteral("GZam")].asFloat();
    return choice;
}
