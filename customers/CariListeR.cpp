#include "customers/CariListeR.h"

TfrmCariListeR::TfrmCariListeR(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Cari kart listesi"), parent)
{
    setObjectName(QStringLiteral("frmCariListeR"));
    criteria.codes = CardCriteria::addCodes(*this);
    criteria.il = addText(QStringLiteral("İl : "), QStringLiteral("İli giriniz"));
    criteria.special = CardCriteria::addSpecialCodes(*this);
    criteria.kind = CardCriteria::addKind(*this);
    criteria.order = addChoice(QStringLiteral(" Cari kart listesi "),
                               {QStringLiteral("&Nosuna göre"), QStringLiteral("Ün&vanına göre"),
                                QStringLiteral("&Yetkili kişiye göre")},
                               0);
}

PageSet TfrmCariListeR::pages()
{
    return CustomerReports::cardList(*shell().company, criteria.choice(), letterPaper());
}
