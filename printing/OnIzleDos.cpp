#include "printing/OnIzleDos.h"

#include "printing/TextPrint.h"
#include "store/InstallSettings.h"

#include <QAbstractButton>
#include <QButtonGroup>

TfrmOnIzleDos::TfrmOnIzleDos(Shell& shell, QWidget* parent)
    : EntryWindow(shell, QStringLiteral("Dos ayarları"),
                  {{QStringLiteral("Yazıcı tanımı : "), QString(), EditorKind::Text, 0,
                    QStringLiteral("Yazıcı aygıtı (/dev/usb/lp0, LPT1), dosya ya da yazıcı "
                                   "kuyruğu adı")},
                   {QStringLiteral("Sayfa boyu : "), QString(), EditorKind::Text, 17,
                    QStringLiteral("Bir sayfadaki satır sayısı (1 - 254)")}},
                  nullptr, parent, false)
{
    setObjectName(QStringLiteral("frmOnIzleDos"));
    shell.install.reload();
    const TextPrint::Settings s = TextPrint::read(shell.install.ini());
    setText(0, s.device);
    setText(1, s.pageLines);
    pitch_ = addRadioGroup(QStringLiteral(" Dos font boyu "),
                           {QStringLiteral("10"), QStringLiteral("17")}, s.pitch);
    // A click on the pitch sends the typing back to the device.
    connect(pitch_, &QButtonGroup::idClicked, this, [this] { editor(0)->setFocus(); });
    editor(0)->setFocus();
    resize(460, 200);
}

void TfrmOnIzleDos::save()
{
    // Checked whole before anything is written; a refusal leaves the window open.
    TextPrint::write(shell().install.ini(), {text(0), text(1), pitch_->checkedId() == 1 ? 1 : 0});
}
