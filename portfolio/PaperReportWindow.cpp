#include "portfolio/PaperReportWindow.h"

#include "customers/CustomerCodes.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

QString caption(const PortfolioKind& kind)
{
    return QStringLiteral("%1 %2 listeleri")
        .arg(kind.firm ? QStringLiteral("Firma") : QStringLiteral("Müşteri"),
             kind.check ? QStringLiteral("çek") : QStringLiteral("senet"));
}

} // namespace

TfrmMCekR::TfrmMCekR(Shell& shell, const PortfolioKind& kind, QWidget* parent)
    : ReportWindow(shell, caption(kind), parent)
    , kind_(kind)
{
    static const QHash<QString, QString> names = {
        {"Cek", "frmMCekR"}, {"Senet", "frmMSenR"}, {"FCek", "frmFCekR"}, {"FSenet", "frmFSenR"}};
    setObjectName(names.value(kind.table));
    const QString who = kind.firm ? QStringLiteral("FİRMA") : QStringLiteral("MÜŞTERİ");
    const QString what = kind.check ? QStringLiteral("ÇEKİNİN") : QStringLiteral("SENEDİNİN");
    const QString word = kind.check ? QStringLiteral("Çek") : QStringLiteral("Senet");
    addHeading(QStringLiteral("%1 %2 : ").arg(who, what));
    dates = addWorkingYear(QStringLiteral("Vadesi : "));
    numbers = addTextRange(QStringLiteral("%1 nosu : ").arg(word),
                           QStringLiteral("%1 nosunu giriniz").arg(word));
    customers = addTextRange(QStringLiteral("Cari kart nosu : "),
                             QStringLiteral("Cari kart nosunu giriniz"), &customerCodes());
    if (!kind.firm)
        presetToFirstAndLast(customers, QStringLiteral("Cari"), QStringLiteral("Cari_1"),
                             QStringLiteral("CariNo"));
    if (kind.check)
        bank = addText(QStringLiteral("Bankası : "), QStringLiteral("Bankasını giriniz"));
    if (kind.check && !kind.firm)
        branch = addText(QStringLiteral("Şubesi : "), QStringLiteral("Şubesini giriniz"));
    if (!kind.firm) {
        references = addTextRange(QStringLiteral("Referans No : "),
                                  QStringLiteral("Referans nosunu giriniz"));
        for (QLineEdit* edit : {references.from.edit(), references.to.edit()})
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]{0,9}")), edit));
    }
    const QString group = kind.firm ? QStringLiteral(" Firma %1 pozisyonları ")
                                    : QStringLiteral(" Müşteri %1 pozisyonları ");
    position = addChoice(group.arg(kind.check ? QStringLiteral("çek") : QStringLiteral("senet")),
                         PortfolioReports::positionChoices(kind), 0);
    setWrapFields(true);
    focusAfterChoice(position, dates.from.edit());
}

PaperListChoice TfrmMCekR::choice() const
{
    PaperListChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    const int all = int(PortfolioReports::positionChoices(kind_).size()) - 1;
    c.position = position.chosen() == all ? -1 : position.chosen();
    c.numberFrom = numbers.from.text();
    c.numberTo = numbers.to.text();
    c.customerFrom = customers.from.text();
    c.customerTo = customers.to.text();
    if (bank.edit()) c.bank = bank.text();
    if (branch.edit()) c.branch = branch.text();
    if (references.from.edit()) {
        c.refFrom = references.from.text();
        c.refTo = references.to.text();
    }
    return c;
}

RunningReport TfrmMCekR::start()
{
    return PortfolioReports::startPaperList(*shell().company, kind_, choice(), letterPaper());
}
