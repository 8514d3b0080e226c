#include "app/PictureFrame.h"

#include "store/AppError.h"

#include <QFile>
#include <QFileDialog>
#include <QPixmap>

PictureFrame::PictureFrame(QSize size, QWidget* parent)
    : QLabel(parent)
{
    setFixedSize(size);
    setFrameShape(QFrame::Box);
    setAlignment(Qt::AlignCenter);
    refresh();
}

void PictureFrame::show(const QByteArray& bytes)
{
    bytes_ = bytes;
    refresh();
}

void PictureFrame::setFitted(bool fitted)
{
    fitted_ = fitted;
    refresh();
}

void PictureFrame::refresh()
{
    QPixmap pixmap;
    if (bytes_.isEmpty() || !pixmap.loadFromData(bytes_)) {
        setPixmap(QPixmap());
        setText(QStringLiteral("Resim yok"));
        return;
    }
    // Fitted keeps the picture's proportions; unscaled shows its middle part.
    if (fitted_)
        pixmap =
            pixmap.scaled(contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(pixmap);
}

QByteArray PictureFrame::choose(QWidget* parent, const QString& title)
{
    const QString file = QFileDialog::getOpenFileName(
        parent, title, QString(),
        QStringLiteral(
            "Resim Dosyaları (*.bmp *.ico *.wmf *.emf *.jpg *.jpeg *.png);;Tüm Dosyalar (*)"));
    if (file.isEmpty()) return {};
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Resim dosyası okunamadı: %1").arg(file));
    const QByteArray bytes = in.readAll();
    QPixmap check;
    if (!check.loadFromData(bytes))
        throw AppError(QStringLiteral("Dosya bir resim değil: %1").arg(file));
    return bytes;
}
