#include "stock/StKartE.h"

#include "store/InstallSettings.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmStKartE::TfrmStKartE(Shell& shell, const QString& code, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Barkod basımı"), parent)
    , code_(code)
{
    setObjectName(QStringLiteral("frmStKartE"));
    auto* codeLine = new QLabel(QStringLiteral("Stok kodu : ") + code, this);
    codeLine->setObjectName(QStringLiteral("lblStokKodu"));
    content()->insertWidget(0, codeLine);
    copies_ = addText(QStringLiteral("Kopya adedi : "),
                      QStringLiteral("Basılacak etiket adedini giriniz (1-100)"));
    copies_.setText(QStringLiteral("1"));
    const StockLabels::Layout saved = StockLabels::readLayout(shell.install.ini());
    for (int f = 0; f < StockLabels::FieldCount; ++f) {
        const QString label = StockLabels::caption(StockLabels::Field(f));
        const bool pixels = f >= StockLabels::EUzun;
        layout_[size_t(f)] = addText(
            label, QStringLiteral("%1 %2 olarak giriniz (tam sayı)")
                       .arg(label.section(QLatin1Char(':'), 0, 0).trimmed(),
                            pixels ? QStringLiteral("pixel") : QStringLiteral("milimetre")));
        layout_[size_t(f)].setText(saved[size_t(f)]);
        layout_[size_t(f)].edit()->installEventFilter(this);
    }
    type_ =
        addChoice(QStringLiteral(" Basılacak barkod tipi "),
                  {QStringLiteral("Ean-13"), QStringLiteral("Ean-8"), QStringLiteral("Code 39")},
                  int(StockLabels::presetFor(code)));
    setWrapFields(true);
    // The type buttons take no focus: choosing one leaves it in the field that had it.
    copies_.edit()->setFocus();
}

StockLabels::Layout TfrmStKartE::layout() const
{
    StockLabels::Layout l;
    for (size_t f = 0; f < l.size(); ++f)
        l[f] = layout_[f].text();
    return l;
}

int TfrmStKartE::copies() const
{
    bool ok = false;
    const int n = copies_.text().toInt(&ok);
    return ok ? n : 0;
}

PageSet TfrmStKartE::pages()
{
    return StockLabels::labels(code_, chosenType(), layout(), copies());
}

bool TfrmStKartE::refused()
{
    const QString why = StockLabels::refusal(code_, chosenType(), layout(), copies());
    if (why.isEmpty()) return false;
    NoticeBox(shell(), why, QStringLiteral("Etiket basılamaz !"), QStringLiteral("Barkod basımı"),
              this);
    return true;
}

void TfrmStKartE::preview()
{
    if (!refused()) ReportWindow::preview();
}

void TfrmStKartE::print()
{
    if (!refused()) ReportWindow::print();
}

bool TfrmStKartE::eventFilter(QObject* watched, QEvent* event)
{
    // The layout fields hold whole numbers: before a key changes one, a text that is not a
    // whole number becomes 0.
    if (event->type() == QEvent::KeyPress) {
        for (const TextCriterion& field : layout_) {
            if (watched != field.edit()) continue;
            bool ok = false;
            field.edit()->text().trimmed().toInt(&ok);
            if (!ok) field.edit()->setText(QStringLiteral("0"));
        }
    }
    return ReportWindow::eventFilter(watched, event);
}

void TfrmStKartE::done(int result)
{
    StockLabels::writeLayout(shell().install.ini(), layout());
    ReportWindow::done(result);
}
