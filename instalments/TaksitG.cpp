#include "instalments/TaksitG.h"

#include "app/MessageWindow.h"
#include "printing/OnIzle.h"
#include "printing/PagePrinter.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "widgets/AmountInWords.h"
#include "widgets/DisplayLabels.h"
#include "widgets/TZemrakSEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

using namespace InstalmentReports;

TfrmTaksitG::TfrmTaksitG(Shell& shell, qint64 saleId, bool preview, QWidget* parent)
    : FormBase(shell, preview ? QStringLiteral("Ön İzleme") : QStringLiteral("Yazdırma"), parent)
    , saleId_(saleId)
    , preview_(preview)
{
    setObjectName(QStringLiteral("frmTaksitG"));
    CompanyData& company = *shell.company;
    const NoteSale sale = noteSale(company, saleId);
    const NoteChoice kept = readNoteSettings(shell.install.ini());

    addCommand(QStringLiteral("Tamam"),
               preview ? QStringLiteral("Önİzle [F2]") : QStringLiteral("Yazdır [F2]"), Qt::Key_F2,
               preview ? QStringLiteral("Senedi ve ödeme planını ön izler")
                       : QStringLiteral("Senedi ve ödeme planını yazdırır"),
               [this] { go(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape,
               QStringLiteral("Pencereyi kapatır"), [this] { closeWindow(QDialog::Rejected); });
    note_ = new QCheckBox(QStringLiteral("&Senet basılsın"), this);
    plans_ = new QCheckBox(QStringLiteral("Ö&deme planı basılsın"), this);
    for (QCheckBox* box : {note_, plans_}) {
        box->setChecked(true);
        box->setFocusPolicy(Qt::NoFocus); // the focus stays in the field that had it
        toolbar()->addWidget(box);
    }

    const auto text = [this](const QString& value, int width) {
        auto* edit = new QLineEdit(value, this);
        edit->setFixedWidth(width);
        return edit;
    };
    const auto fixed = [this](const QString& t) { return new QLabel(t, this); };
    const auto row = [this](std::initializer_list<QWidget*> parts) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : parts)
            line->addWidget(w);
        line->addStretch();
        content()->addLayout(line);
    };
    fields_ = {text(QString(), 140),
               text(kept.lbl1, 40),
               text(QString(), 110),
               text(kept.kime, 220),
               text(kept.lbl2, 50),
               text(kept.lbl3, 40),
               text(kept.lbl4, 70),
               text(kept.lbl5, 120),
               text(kept.lbl6, 40),
               text(QString(), 260),
               nullptr,
               nullptr};
    for (int i : {Genis, Uzun}) {
        auto* number = new TZemrakSEdit(this);
        number->setDecimals(1);
        number->setMaxLength(5);
        number->setAsFloat(i == Genis ? kept.genis : kept.uzun);
        number->setFixedWidth(80);
        fields_[size_t(i)] = number;
    }

    // The three headed cells.
    auto* cells = new QGridLayout;
    const QString heads[3] = {QStringLiteral("ÖDEME GÜNÜ"), QStringLiteral("TÜRK LİRASI"),
                              QStringLiteral("NO")};
    QWidget* values[3] = {fields_[OdemeGunu], fixed(noteAmount(company, sale.total)),
                          fixed(QString::number(sale.nosu))};
    for (int i = 0; i < 3; ++i) {
        QLabel* head = fixed(heads[i]);
        head->setStyleSheet(QStringLiteral("font-weight: bold"));
        cells->addWidget(head, 0, i, Qt::AlignHCenter);
        cells->addWidget(values[i], 1, i, Qt::AlignHCenter);
    }
    content()->addLayout(cells);
    row({fixed(QStringLiteral("İş bu emre muharrer senedim")), fields_[Lbl1],
         fixed(QStringLiteral("mukabilinde")), fields_[Tarih], fixed(QStringLiteral("tarihinde"))});
    row({fixed(QStringLiteral("Sayın")), fields_[Kime], fixed(QStringLiteral("veya emrühavale")),
         fields_[Lbl2]});
    row({fixed(QStringLiteral("yukarıda yazılı yalnız ") + AmountInWords(company, sale.total))});
    row({fixed(QStringLiteral("ödeyeceği")), fields_[Lbl3], fixed(QStringLiteral("Bedeli")),
         fields_[Lbl4],
         fixed(QStringLiteral("ahzolunmuştur. İş bu bono vadesinde ödenmediği takdirde"))});
    row({fixed(QStringLiteral("müteakip bonoların da muacceliyet kesbedeceğini, ihtilaf vukuunda")),
         fields_[Lbl5]});
    row({fixed(QStringLiteral("mahkemelerinin selahiyetini şimdiden kabul eyleri")),
         fields_[Lbl6]});

    // The payer block: ÖDEYECEK down the side, a rule, the four lines.
    auto* payer = new QHBoxLayout;
    auto* vertical = new TZemrakRLabel(QStringLiteral("ÖDEYECEK"), this);
    vertical->setCevir(true);
    vertical->setStyleSheet(QStringLiteral("font-weight: bold"));
    payer->addWidget(vertical);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::VLine);
    payer->addWidget(rule);
    auto* lines = new QGridLayout;
    const QString captions[6] = {
        QStringLiteral("İsim"),  QStringLiteral("Adresi"),      QString(), QString(),
        QStringLiteral("KEFİL"), QStringLiteral("Vergi Da. No")};
    QWidget* shown[6] = {
        fixed(sale.unvani), fixed(sale.adres1),
        fixed(sale.adres2), fixed(sale.adres3),
        fields_[Kefil],     fixed((sale.vd + QLatin1Char(' ') + sale.vdNo).trimmed())};
    for (int i = 0; i < 6; ++i) {
        if (!captions[i].isEmpty()) {
            lines->addWidget(fixed(captions[i]), i, 0);
            lines->addWidget(fixed(QStringLiteral(":")), i, 1);
        }
        lines->addWidget(shown[i], i, 2, Qt::AlignLeft);
    }
    lines->setColumnStretch(2, 1);
    payer->addLayout(lines, 1);
    content()->addLayout(payer);
    row({fixed(QStringLiteral("Kağıt geniş/uzunluk (mm): ")), fields_[Genis], fields_[Uzun]});

    const QString hints[12] = {QStringLiteral("Ödeme gününü giriniz"),
                               QStringLiteral("Metnin ekini giriniz"),
                               QStringLiteral("Senedin düzenlenme tarihini giriniz"),
                               QStringLiteral("Alacaklının adını giriniz"),
                               QStringLiteral("Metnin ekini giriniz"),
                               QStringLiteral("Metnin ekini giriniz"),
                               QStringLiteral("Bedelin cinsini giriniz"),
                               QStringLiteral("Yetkili mahkemenin bulunduğu yeri giriniz"),
                               QStringLiteral("Metnin ekini giriniz"),
                               QStringLiteral("Kefilin adını giriniz"),
                               QStringLiteral("Kağıt genişliğini giriniz (mm)"),
                               QStringLiteral("Kağıt uzunluğunu giriniz (mm)")};
    for (int i = 0; i < 12; ++i)
        addField(fields_[size_t(i)], hints[i]);
    setWrapFields(true);
    fields_[OdemeGunu]->setFocus();
}

NoteChoice TfrmTaksitG::choice() const
{
    NoteChoice c;
    c.note = note_->isChecked();
    c.plans = plans_->isChecked();
    const auto t = [this](Field f) { return static_cast<QLineEdit*>(fields_[size_t(f)])->text(); };
    c.odemeGunu = t(OdemeGunu);
    c.lbl1 = t(Lbl1);
    c.tarih = t(Tarih);
    c.kime = t(Kime);
    c.lbl2 = t(Lbl2);
    c.lbl3 = t(Lbl3);
    c.lbl4 = t(Lbl4);
    c.lbl5 = t(Lbl5);
    c.lbl6 = t(Lbl6);
    c.kefil = t(Kefil);
    c.genis = static_cast<TZemrakSEdit*>(fields_[Genis])->asFloat();
    c.uzun = static_cast<TZemrakSEdit*>(fields_[Uzun])->asFloat();
    return c;
}

void TfrmTaksitG::go()
{
    const NoteChoice c = choice();
    if (!c.note && !c.plans) {
        closeWindow(QDialog::Rejected);
        return;
    }
    if (c.genis < PageSettings::kShortestMm || c.uzun < PageSettings::kShortestMm) {
        NoticeBox(shell(), QStringLiteral("Kağıt genişliği ve uzunluğu"),
                  QStringLiteral("en az 10 mm olmalıdır"), QStringLiteral("Kağıt kontrol"), this);
        fields_[c.genis < PageSettings::kShortestMm ? Genis : Uzun]->setFocus();
        return;
    }
    PageSet pages = notePages(*shell().company, saleId_, c);
    bool done = true;
    if (preview_)
        TfrmOnIzle(shell(), std::move(pages), this).run();
    else
        done = printPages(pages, shell().install, this, false);
    if (!done) return;
    writeNoteSettings(shell().install.ini(), c);
    closeWindow(QDialog::Accepted);
}
