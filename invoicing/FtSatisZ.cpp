#include "invoicing/FtSatisZ.h"

#include "store/AppError.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "widgets/TZemrakEdit.h"

#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

struct RowSpec {
    const char* label;
    const char* prefix;
    const char* flag;
    bool detail = false; // an element of the line, shown in the right column
};
// Rows without a flag always print: their box is ticked and cannot be changed.
const RowSpec kRows[] = {
    {"Ünvanı : ", "Unvani", ""},
    {"Adres [1] : ", "Adres1", ""},
    {"Adres [2] : ", "Adres2", ""},
    {"V.D. : ", "Vd", ""},
    {"V.D. No : ", "VdNo", ""},
    {"Tarih : ", "Tarih", ""},
    {"İrsaliye Tarih : ", "IrsTarih", "IrsTarih"},
    {"İrsaliye No : ", "IrsNo", "IrsNo"},
    {"Yazıyla tutar : ", "Yazi", ""},
    {"Kdv detayı : ", "Mutabakat", "Mutabakat"},
    {"Stok kodu : ", "Kodu", "Kodu", true},
    {"Stok cinsi : ", "Cinsi", "Cinsi", true},
    {"Miktari : ", "Miktari", "Miktari", true},
    {"Birimi : ", "Birim", "Birim", true},
    {"Birim fiyatı : ", "BirimF", "BirimF", true},
    {"Tutarı : ", "Tutari", "Tutari", true},
    {"İskonto tutarı : ", "IskTutar", "IskTutar", true},
    {"Kdv oranı : ", "KdvOran", "KdvOran", true},
    {"Toplam : ", "AraTop", "AraTop", true},
    {"Alt toplam : ", "PAraToplam", ""},
    {"Alt Kdv : ", "PKdv", ""},
    {"Alt genel toplam : ", "PGToplam", ""},
};

const char* kHeights[3][2] = {{"Başlık yüksekliği : ", "Title_H"},
                              {"Kalem yüksekliği : ", "Detail_H"},
                              {"F.Altı yüksekliği : ", "Footer_H"}};

} // namespace

TfrmFtSatisZ::TfrmFtSatisZ(Shell& shell, QWidget* parent)
    : FormBase(shell, QStringLiteral("Fatura dizaynı"), parent)
{
    setObjectName(QStringLiteral("frmFtSatisZ"));
    plan_ = readInvoicePlan(shell.global->fatPlan());
    settings_ = InvoiceLayoutSettings::read(shell.install.ini());
    font_ = QFont(settings_.fontName, settings_.fontSize);

    // Two columns: the page, the customer block and the totals on the left, the line's
    // elements and the total labels on the right. Enter follows the order of creation.
    auto* left = new QGridLayout;
    auto* right = new QGridLayout;
    for (QGridLayout* grid : {left, right})
        grid->setVerticalSpacing(2);
    int r = 0, rr = 0;
    for (const auto& [label, field] : kHeights) {
        left->addWidget(new QLabel(QString::fromUtf8(label), this), r, 0);
        heights_.push_back(number(plan_.value(QLatin1String(field)).toDouble(), false));
        left->addWidget(heights_.back(), r++, 1);
        addField(heights_.back(), QStringLiteral("Yüksekliği pixel olarak giriniz"));
    }
    left->addWidget(new QLabel(QStringLiteral("Fatura geniş/uzunluk (mm): "), this), r, 0);
    for (double mm : {settings_.genis, settings_.uzun}) {
        size_.push_back(number(mm, true));
        size_.back()->setMaxLength(5);
        left->addWidget(size_.back(), r, int(size_.size()));
        addField(size_.back(),
                 QStringLiteral("Fatura genişliğini ve uzunluğunu mm olarak giriniz"));
    }
    ++r;
    for (const RowSpec& spec : kRows) {
        Row row{QString::fromUtf8(spec.label), QLatin1String(spec.prefix),
                QLatin1String(spec.flag)};
        row.left = number(plan_.value(row.prefix + QStringLiteral("_L")).toDouble(), false);
        row.top = number(plan_.value(row.prefix + QStringLiteral("_T")).toDouble(), false);
        row.shown = new QCheckBox(this);
        row.shown->setFocusPolicy(Qt::NoFocus);
        row.shown->setChecked(row.flag.isEmpty() ||
                              plan_.value(row.flag).toString().trimmed().toUpper() != u"H");
        row.shown->setEnabled(!row.flag.isEmpty());
        const bool line = spec.detail;
        QGridLayout* grid = line ? right : left;
        int& at = line ? rr : r;
        grid->addWidget(new QLabel(row.label, this), at, 0);
        grid->addWidget(row.left, at, 1);
        grid->addWidget(row.top, at, 2);
        grid->addWidget(row.shown, at++, 3);
        addField(row.left, QStringLiteral("Sol konumu pixel olarak giriniz"));
        addField(row.top, QStringLiteral("Üst konumu pixel olarak giriniz"));
        rows_.push_back(row);
    }
    left->addWidget(new QLabel(QStringLiteral("İskonto : "), this), r, 0);
    iskontoLeft_ = number(settings_.iskontoL, false);
    iskontoTop_ = number(settings_.iskontoT, false);
    iskontoShown_ = new QCheckBox(this);
    iskontoShown_->setFocusPolicy(Qt::NoFocus);
    iskontoShown_->setChecked(settings_.chkIskonto);
    left->addWidget(iskontoLeft_, r, 1);
    left->addWidget(iskontoTop_, r, 2);
    left->addWidget(iskontoShown_, r++, 3);
    addField(iskontoLeft_, QStringLiteral("Sol konumu pixel olarak giriniz"));
    addField(iskontoTop_, QStringLiteral("Üst konumu pixel olarak giriniz"));
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(settings_.texts[i], this);
        auto* box = new QCheckBox(this);
        box->setFocusPolicy(Qt::NoFocus);
        box->setChecked(settings_.shown[i]);
        right->addWidget(edit, rr, 0, 1, 3);
        right->addWidget(box, rr++, 3);
        addField(edit, QStringLiteral("Toplam yazısını giriniz"));
        texts_.push_back(edit);
        textShown_.push_back(box);
    }
    right->addWidget(new QLabel(QStringLiteral("Ölçüler pixel cinsinden verilmiştir."), this), rr++,
                     0, 1, 4);
    right->addWidget(new QLabel(QStringLiteral("(1 cm = 37.8 pixel)"), this), rr++, 0, 1, 4);
    left->setRowStretch(r, 1);
    right->setRowStretch(rr, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addSpacing(16);
    columns->addLayout(right);
    content()->addLayout(columns);

    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet [F2]"), Qt::Key_F2, QString(),
               [this] { save(); });
    addCommand(QStringLiteral("Font"), QStringLiteral("Font [F3]"), Qt::Key_F3, QString(), [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font_, this);
        if (ok) font_ = chosen;
    });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Rejected); });
    heights_.front()->setFocus();
}

TZemrakEdit* TfrmFtSatisZ::number(double value, bool decimals)
{
    auto* edit = new TZemrakEdit(this);
    edit->setEditStyle(decimals ? TZemrakEdit::esFloat : TZemrakEdit::esInteger);
    edit->setThousandsOn(false);
    edit->setAsFloat(decimals ? std::round(value * 10) / 10 : std::round(value));
    edit->setMaximumWidth(80);
    return edit;
}

const TfrmFtSatisZ::Row* TfrmFtSatisZ::row(const QString& label) const
{
    for (const Row& r : rows_)
        if (r.label == label) return &r;
    return nullptr;
}

void TfrmFtSatisZ::save()
{
    InvoicePlan plan = plan_;
    for (int i = 0; i < 3; ++i)
        plan.insert(QLatin1String(kHeights[i][1]), heights_[size_t(i)]->asInteger());
    for (const Row& r : rows_) {
        plan.insert(r.prefix + QStringLiteral("_L"), r.left->asInteger());
        plan.insert(r.prefix + QStringLiteral("_T"), r.top->asInteger());
        if (!r.flag.isEmpty())
            plan.insert(r.flag, r.shown->isChecked() ? QStringLiteral("E") : QStringLiteral("H"));
    }
    InvoiceLayoutSettings s = settings_;
    s.genis = std::round(size_[0]->asFloat() * 10) / 10;
    s.uzun = std::round(size_[1]->asFloat() * 10) / 10;
    s.iskontoL = iskontoLeft_->asInteger();
    s.iskontoT = iskontoTop_->asInteger();
    s.chkIskonto = iskontoShown_->isChecked();
    for (int i = 0; i < 4; ++i) {
        s.texts[i] = texts_[size_t(i)]->text();
        s.shown[i] = textShown_[size_t(i)]->isChecked();
    }
    s.fontName = font_.family();
    s.fontSize = font_.pointSize() > 0 ? font_.pointSize() : s.fontSize;
    const QString fault = invoiceLayoutFault(plan, s);
    if (!fault.isEmpty()) {
        NoticeBox(shell(), fault, QStringLiteral("Ölçüleri düzeltip tekrar deneyiniz."),
                  QStringLiteral("Fatura dizaynı"), this);
        return;
    }
    writeInvoicePlan(shell().global->fatPlan(), plan);
    s.write(shell().install.ini());
    saved_ = true;
    closeWindow(QDialog::Accepted);
}
