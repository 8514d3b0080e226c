#include "app/Notlar.h"

#include "store/AppError.h"
#include "store/InstallSettings.h"
#include "store/NotesFile.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TfrmNotlar::TfrmNotlar(Shell& shell, QWidget* parent)
    : FormBase(shell, QStringLiteral("Notlar"), parent, false)
    , editor_(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmNotlar"));
    editor_->setPlainText(readNotes(shell.install.programDir()));
    editor_->document()->setModified(false);
    content()->addWidget(editor_);
    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet [F2]"), Qt::Key_F2,
               QStringLiteral("Notları kaydeder"), [this] {
                   if (save()) closeWindow(QDialog::Accepted);
               });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape,
               QStringLiteral("Notlardan çıkış"), [this] {
                   if (editor_->document()->isModified() &&
                       ConfirmBox(this->shell(), QStringLiteral("Notlar değiştirildi"),
                                  QStringLiteral("Kaydedilsin mi?"), QStringLiteral("Notlar"),
                                  this) == 1 &&
                       !save())
                       return;
                   closeWindow(QDialog::Rejected);
               });
    resize(640, 480);
    editor_->setFocus();
}

bool TfrmNotlar::save()
{
    try {
        writeNotes(shell().install.programDir(), editor_->toPlainText());
    } catch (const AppError& e) {
        NoticeBox(shell(), e.message(), e.detail(), QStringLiteral("Notlar"), this);
        return false;
    }
    editor_->document()->setModified(false);
    return true;
}
