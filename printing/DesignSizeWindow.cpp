#include "printing/DesignSizeWindow.h"

#include "store/AppError.h"

#include <QPushButton>
#include <array>
#include <cmath>

using namespace ReportDesign;

namespace {

std::vector<FieldSpec> fieldsFor(bool band)
{
    const QString pixels = QStringLiteral("pixel (1/96 inç)");
    std::vector<FieldSpec> fields;
    if (!band) {
        fields.push_back({QStringLiteral("Sol : "), QString(), EditorKind::Integer, 0,
                          QStringLiteral("Bandın solundan uzaklık, ") + pixels});
        fields.push_back({QStringLiteral("Üst : "), QString(), EditorKind::Integer, 0,
                          QStringLiteral("Bandın üstünden uzaklık, ") + pixels});
        fields.push_back({QStringLiteral("Genişlik : "), QString(), EditorKind::Integer, 0,
                          QStringLiteral("Genişlik, ") + pixels});
    }
    fields.push_back({QStringLiteral("Uzunluk : "), QString(), EditorKind::Integer, 0,
                      QStringLiteral("Uzunluk, ") + pixels});
    fields.push_back({QStringLiteral("Adı : "), QString(), EditorKind::Text, kNameLimit,
                      QStringLiteral("Harf ya da _ ile başlayan; harf, rakam ve _")});
    return fields;
}

bool isBand(const DesignDocument& doc, const QString& item)
{
    return ReportDesign::find(doc.def(), item).isBand();
}

QString whole(double mm)
{
    return QString::number(std::lround(toPixels(mm)));
}

} // namespace

TfrmEbat::TfrmEbat(Shell& shell, DesignDocument& document, const QString& item, QWidget* parent)
    : EntryWindow(shell, item + QStringLiteral(" - Ebatları"), fieldsFor(isBand(document, item)),
                  nullptr, parent, false)
    , doc_(document)
    , item_(item)
    , band_(isBand(document, item))
{
    setObjectName(QStringLiteral("frmEbat"));
    commandButton(QStringLiteral("Kaydet"))->setText(QStringLiteral("Tamam"));
    commandButton(QStringLiteral("Vazgec"))->setText(QStringLiteral("Vazgeç"));
    const Item at = ReportDesign::find(doc_.def(), item_);
    if (band_) {
        setText(0, whole(doc_.def().bands[size_t(at.band)].height));
        setText(1, item_);
    } else {
        const QRectF r = doc_.def().bands[size_t(at.band)].elements[size_t(at.element)].rect;
        setText(0, whole(r.x()));
        setText(1, whole(r.y()));
        setText(2, whole(r.width()));
        setText(3, whole(r.height()));
        setText(4, item_);
    }
    setWrapFields(false);
    editor(0)->setFocus();
}

void TfrmEbat::save()
{
    // Whole pixels, as typed; what cannot be read as one is refused by name.
    const QStringList labels = {QStringLiteral("Sol"), QStringLiteral("Üst"),
                                QStringLiteral("Genişlik"), QStringLiteral("Uzunluk")};
    std::array<double, 4> pixels{};
    for (int i = band_ ? 3 : 0; i < 4; ++i) {
        const int field = band_ ? 0 : i;
        bool ok = false;
        pixels[size_t(i)] = text(field).trimmed().toDouble(&ok);
        if (!ok)
            throw AppError(
                QStringLiteral("%1 bir sayı olmalı: \"%2\"").arg(labels[i], text(field)));
    }
    const QString name = text(band_ ? 1 : 4).trimmed();
    nameRefused_.clear();
    const QString refused = doc_.change(QStringLiteral("Ebatlar"), [&](ReportDef& d) {
        const Item at = ReportDesign::find(d, item_);
        if (!at.valid()) return QStringLiteral("%1 artık yok.").arg(item_);
        return applySizes(d, at, pixels, name, &nameRefused_);
    });
    if (!refused.isEmpty()) throw AppError(refused);
    if (!nameRefused_.isEmpty() || name == item_) return;
    // The item keeps being the current one under its new name.
    QStringList selection = doc_.selection();
    for (QString& selected : selection)
        if (selected == item_) selected = name;
    doc_.select(selection);
}

void TfrmEbat::saved()
{
    if (!nameRefused_.isEmpty())
        NoticeBox(shell(), QStringLiteral("Ad değiştirilmedi: %1").arg(item_), nameRefused_,
                  QStringLiteral("Rapor dizaynı"), this);
    closeWindow(QDialog::Accepted);
}
