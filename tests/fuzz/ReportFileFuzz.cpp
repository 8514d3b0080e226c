// Saved reports (.qrp) as they may arrive from another machine or a damaged disk: loaded, then
// exported as text and painted.
#include "FuzzTarget.h"
#include "printing/PageSet.h"
#include "store/AppError.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

QString scratch()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("rapor.qrp"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    {
        QFile file(scratch());
        if (!file.open(QIODevice::WriteOnly)) return 0;
        file.write(fuzzBytes(data, size));
    }
    try {
        const PageSet set = PageSet::load(scratch());
        set.plainText();
        set.delimitedText(QLatin1Char('^'));
        if (set.pageCount() > 0) set.pageImage(0, 8);
    } catch (const AppError&) {
    }
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    PageSet set;
    for (int p = 0; p < 2; ++p) {
        Page& page = set.addPage(QSizeF(210, 297));
        DrawOp text;
        text.rect = QRectF(10, 20, 60, 5);
        text.text = QStringLiteral("Şişli Çarşı %1").arg(p);
        text.alignment = Qt::AlignRight;
        text.fill = QColor(Qt::yellow);
        page.add(text);
        DrawOp line;
        line.type = DrawOp::Type::Line;
        line.rect = QRectF(10, 30, 100, 0);
        page.add(line);
        DrawOp wrapped = text;
        wrapped.wordWrap = true;
        wrapped.text = QStringLiteral("uzun bir açıklama satırı ki iki satıra kayar");
        wrapped.rect = QRectF(10, 40, 30, 12);
        page.add(wrapped);
    }
    set.addPicture(QImage(4, 4, QImage::Format_RGB32));
    set.finished = true;
    set.save(scratch());
    QFile file(scratch());
    file.open(QIODevice::ReadOnly);
    return {file.readAll()};
}
