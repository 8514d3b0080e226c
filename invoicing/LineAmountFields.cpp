#include "invoicing/LineAmountFields.h"

#include "app/EntryWindow.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"

#include <QFormLayout>
#include <QLineEdit>

LineAmountFields::LineAmountFields(EntryWindow& window, int first, QBoxLayout* layout)
    : window_(window)
    , first_(first)
    , araTop_(new QLineEdit(&window))
    , topTutar_(new QLineEdit(&window))
{
    auto* shown = new QFormLayout;
    for (QLineEdit* box : {araTop_, topTutar_}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        box->setMaximumWidth(160);
    }
    shown->addRow(QStringLiteral("Ara Toplam : "), araTop_);
    shown->addRow(QStringLiteral("Fatura Tutarı : "), topTutar_);
    layout->addLayout(shown);
}

LineAmounts LineAmountFields::read() const
{
    LineAmounts a;
    double* values[] = {&a.miktari,  &a.birimF,  &a.tutari,  &a.iskOran,
                        &a.iskTutar, &a.kdvOran, &a.kdvTutar};
    for (int i = 0; i < 7; ++i)
        *values[i] = window_.number(first_ + i);
    return lineTotals(*window_.shell().company, a);
}

void LineAmountFields::show(const LineAmounts& a)
{
    const double values[] = {a.miktari,  a.birimF,  a.tutari,  a.iskOran,
                             a.iskTutar, a.kdvOran, a.kdvTutar};
    for (int i = 0; i < 7; ++i)
        window_.setNumber(first_ + i, values[i]);
    const QString money = window_.shell().company->moneyFormat();
    araTop_->setText(formatNumber(a.araTop, money));
    topTutar_->setText(formatNumber(a.topTutar, money));
}

void LineAmountFields::leave(int field)
{
    static const LineField kinds[] = {
        LineField::Quantity,       LineField::Price,   LineField::Amount,   LineField::DiscountRate,
        LineField::DiscountAmount, LineField::VatRate, LineField::VatAmount};
    if (holds(field)) show(leaveLineField(*window_.shell().company, read(), kinds[field - first_]));
}

QString LineAmountFields::araToplamText() const
{
    return araTop_->text();
}

QString LineAmountFields::toplamText() const
{
    return topTutar_->text();
}
