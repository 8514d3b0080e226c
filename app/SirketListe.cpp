#include "app/SirketListe.h"

#include "app/SirketBilgi.h"
#include "store/Table.h"

#include <QKeyEvent>

namespace {

ListTexts texts()
{
    ListTexts t;
    t.newCaption = QStringLiteral("Yeni Şirket [F2]");
    t.newHint = QStringLiteral("Yeni şirket açılır");
    t.editCaption = QStringLiteral("Şrk.bil.düzlt. [F3]");
    t.editHint = QStringLiteral("Şirket bilgileri üzerinde değişiklik yapılır");
    t.deleteCaption = QStringLiteral("Şirket iptali [F4]");
    t.deleteHint = QStringLiteral("Eski şirket iptal edilir");
    t.exitHint = QStringLiteral("Şirket işlemlerinden çıkış");
    t.editPopup = QStringLiteral("Şirket bilgileri düzeltme");
    t.deletePopup = QStringLiteral("Şirket iptali");
    return t;
}

} // namespace

TfrmSirket::TfrmSirket(Shell& shell, Table& sirket, QWidget* parent)
    : ListWindow(shell, QStringLiteral("Şirket işlemleri"), sirket,
                 {{QStringLiteral("Ş.Kodu"), QStringLiteral("SKodu"), 80},
                  {QStringLiteral("Ünvani"), QStringLiteral("Aciklama"), 240},
                  {QStringLiteral("Diskteki adresi"), QStringLiteral("Kutuk"), 280}},
                 parent, texts(), false)
{
    setObjectName(QStringLiteral("frmSirket"));
    setDeleteTexts(
        {QStringLiteral("Şirketi silmek istediğinize"), QStringLiteral("emin misiniz ? "),
         QStringLiteral("Şirket bilgilerini tamamıyla"),
         QStringLiteral("kaybedeceksiniz, emin misiniz ?"), QStringLiteral("Şirket işlemleri")});
    sirket.setFilter(QStringLiteral("Liste = 'E'"));
    sirket.setFiltered(true);
    reload();
    goLast();
}

TfrmSirket::~TfrmSirket()
{
    // Leaving the window switches the filter off.
    if (table().isOpen() && table().state() == Table::State::Browse) table().setFiltered(false);
}

bool TfrmSirket::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        const qint64 id = table().currentId();
        table().setFiltered(!table().filtered());
        if (id > 0) table().gotoId(id);
        reload();
        return true;
    }
    return ListWindow::FormKeyDown(event);
}

void TfrmSirket::newRecord()
{
    TfrmSirketBilgi window(shell(), QString(), this);
    window.run();
}

void TfrmSirket::editRecord()
{
    const qint64 id = table().currentId();
    TfrmSirketBilgi window(shell(), table()[QStringLiteral("SKodu")].asString(), this);
    window.run();
    table().refresh();
    table().gotoId(id);
}

void TfrmSirket::deleteRecord()
{
    if (table()[QStringLiteral("SKodu")].asString() == shell().activeCompanyCode &&
        shell().companyIsOpen) {
        NoticeBox(shell(), QStringLiteral("Çalışmakta olduğunuz"),
                  QStringLiteral("şirketi silemezsiniz !!"),
                  QStringLiteral("Şirket bilgileri kontrol"), this);
        return;
    }
    ListWindow::deleteRecord();
}
