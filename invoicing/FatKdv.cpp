#include "invoicing/FatKdv.h"

#include "app/MessageWindow.h"
#include "invoicing/VatRates.h"
#include "store/InstallSettings.h"

#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

TfrmFatKdv::TfrmFatKdv(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Dönemsel kdv dökümü"), parent)
{
    setObjectName(QStringLiteral("TfrmFatKdv"));
    dates = addWorkingYear(QStringLiteral("Kdv raporu tarih kıstasları : "));
    rates_ = new QListWidget(this);
    rates_->setFocusPolicy(Qt::ClickFocus);
    rates_->setMaximumHeight(160);
    content()->addWidget(rates_);
    for (const QString& rate : VatRates::read(shell.install.programDir())) {
        auto* item = new QListWidgetItem(rate, rates_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    newRate = addText(QStringLiteral("Eklenecek kdv oranı : "),
                      QStringLiteral("Eklenecek kdv oranını giriniz"));
    addCommand(QStringLiteral("Ekle"), QStringLiteral("Ekle [F5]"), Qt::Key_F5, QString(),
               [this] { addRate(); });
    addCommand(QStringLiteral("Cikar"), QStringLiteral("Çıkar [F6]"), Qt::Key_F6, QString(),
               [this] { delete rates_->currentItem(); });
    setWrapFields(true);
}

QStringList TfrmFatKdv::listed() const
{
    QStringList all;
    for (int i = 0; i < rates_->count(); ++i)
        all << rates_->item(i)->text();
    return all;
}

void TfrmFatKdv::addRate()
{
    const QString typed = newRate.text();
    if (typed.isEmpty()) return;
    const QString rate = VatRates::text(typed);
    newRate.setText(QString());
    if (rate.isEmpty()) return; // not a number
    if (listed().contains(rate)) {
        NoticeBox(shell(), QStringLiteral("KDV kodu daha önce verilmiş"), QString(),
                  QStringLiteral("KDV oran kontrolü"), this);
        return;
    }
    auto* item = new QListWidgetItem(rate, rates_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
}

InvoiceReports::VatChoice TfrmFatKdv::choice() const
{
    InvoiceReports::VatChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    for (int i = 0; i < rates_->count(); ++i)
        if (rates_->item(i)->checkState() == Qt::Checked) c.rates << rates_->item(i)->text();
    return c;
}

PageSet TfrmFatKdv::pages()
{
    return InvoiceReports::vatSummary(*shell().company, choice(), letterPaper());
}

void TfrmFatKdv::leaving()
{
    VatRates::write(shell().install.programDir(), listed());
}
