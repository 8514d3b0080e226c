#include "stock/StockLabels.h"

#include "printing/LabelSheet.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/IniFile.h"
#include "widgets/Barkod.h"

using namespace ReportBuilder;

namespace StockLabels {

namespace {

const LabelSheet::Key kFields[FieldCount] = {{"UZUNLUK", "40", "Sayfa Uzunluğu : "},
                                             {"GENISLIK", "180", "Sayfa genişliği : "},
                                             {"UST", "0", "Üst Marjin : "},
                                             {"ALT", "0", "Alt Marjin : "},
                                             {"SOL", "10", "Sol Marjin : "},
                                             {"SAG", "10", "Sağ Marjin : "},
                                             {"EUZUN", "181", "Etiket uzunluk : "},
                                             {"EGENIS", "84", "Etiket genişlik : "},
                                             {"KSOL", "10", "Sol : "}};

const QString kSection = QStringLiteral("BARKOD");

// A layout value as a whole number; false when it is not one.
bool whole(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

TZemrakBarkod::Tip symbology(Type type)
{
    return type == Type::Ean13  ? TZemrakBarkod::bcCodeEAN13
           : type == Type::Ean8 ? TZemrakBarkod::bcCodeEAN8
                                : TZemrakBarkod::bcCode39;
}

double mm(int pixels)
{
    return pixels / kPixelsPerMm;
}

} // namespace

const char* iniKey(Field field)
{
    return kFields[field].key;
}

QString caption(Field field)
{
    return QString::fromUtf8(kFields[field].caption);
}

Layout readLayout(const IniFile& ini)
{
    const QStringList values = LabelSheet::read(ini, kSection, kFields);
    Layout layout;
    for (int f = 0; f < FieldCount; ++f)
        layout[size_t(f)] = values[f];
    return layout;
}

void writeLayout(IniFile& ini, const Layout& layout)
{
    LabelSheet::write(ini, kSection, kFields, QStringList(layout.begin(), layout.end()));
}

Type presetFor(const QString& code)
{
    return code.size() == 13 ? Type::Ean13 : code.size() == 8 ? Type::Ean8 : Type::Code39;
}

Type effectiveType(Type chosen, const QString& code)
{
    if (chosen == Type::Ean13 && code.size() != 13) return Type::Code39;
    if (chosen == Type::Ean8 && code.size() != 8) return Type::Code39;
    return chosen;
}

QString refusal(const QString& code, Type type, const Layout& layout, int copies)
{
    std::array<int, FieldCount> v{};
    for (int f = 0; f < FieldCount; ++f)
        if (!whole(layout[size_t(f)], v[size_t(f)]) || v[size_t(f)] < 0)
            return QStringLiteral("\"%1\" tam sayı olmalı (%2).")
                .arg(caption(Field(f)).section(QLatin1Char(':'), 0, 0).trimmed(),
                     layout[size_t(f)]);
    if (copies < 1 || copies > 100) return QStringLiteral("Kopya adedi 1 ile 100 arasında olmalı.");
    if (v[Uzunluk] == 0 || v[Genislik] == 0 || v[EUzun] == 0 || v[EGenis] == 0)
        return QStringLiteral("Sayfa ve etiket ölçüleri sıfır olamaz.");
    const int areaWidth = v[Genislik] - v[Sol] - v[Sag];
    const int areaHeight = v[Uzunluk] - v[Ust] - v[Alt];
    if (areaWidth <= 0 || areaHeight <= 0)
        return QStringLiteral("Kenar boşlukları sayfada basılacak alan bırakmıyor.");
    if (mm(v[EUzun]) > areaWidth || mm(v[EGenis]) > areaHeight)
        return QStringLiteral("Etiket (%1 × %2 mm) basılacak alandan (%3 × %4 mm) büyük.")
            .arg(QString::number(mm(v[EUzun]), 'f', 1), QString::number(mm(v[EGenis]), 'f', 1))
            .arg(areaWidth)
            .arg(areaHeight);
    if (code.isEmpty()) return QStringLiteral("Stok kodu boş: barkod basılamaz.");
    TZemrakBarkod symbol;
    symbol.tip = symbology(effectiveType(type, code));
    symbol.Metin = code;
    // An Ean-13 code whose own check digit is wrong would scan as another article.
    symbol.IslemKontrolu = symbol.tip == TZemrakBarkod::bcCodeEAN13;
    try {
        symbol.elements();
    } catch (const AppError& error) {
        return QStringLiteral("%1 kodu %2 barkodu ile basılamaz (%3).")
            .arg(code, TZemrakBarkod::typeName(symbol.tip), error.message());
    }
    return QString();
}

PageSet labels(const QString& code, Type chosen, const Layout& layout, int copies)
{
    const QString refused = refusal(code, chosen, layout, copies);
    if (!refused.isEmpty()) throw AppError(refused);
    const Type type = effectiveType(chosen, code);
    std::array<int, FieldCount> v{};
    for (int f = 0; f < FieldCount; ++f)
        whole(layout[size_t(f)], v[size_t(f)]);

    ReportDef def;
    def.name = QStringLiteral("TfrmStKartP");
    def.className = QStringLiteral("TQuickRep");
    LabelSheet::apply(def, {v[Uzunluk], v[Genislik], v[Ust], v[Alt], v[Sol], v[Sag]});

    // The digits under the symbol, the symbol above them; positions in label pixels from the
    // label's left edge.
    const double height = mm(v[EGenis]), textHeight = 4;
    const double symbolHeight = std::max(2.0, height - textHeight - 1);
    const int sol = v[KSol];
    std::vector<ElementDef> elements;
    const auto digits = [&](const char* name, int x, const QString& text) {
        ElementDef e =
            label(QLatin1String(name), {mm(x), symbolHeight + 0.5, 40, textHeight}, text);
        e.font.setPointSize(8);
        elements.push_back(e);
    };
    int symbolAt = sol - 5;
    if (type == Type::Ean13) {
        digits("lblRakam1", sol, code.left(1));
        digits("lblRakam2", sol + 20, code.mid(1, 6));
        digits("lblRakam3", sol + 87, code.mid(7, 6));
        symbolAt = sol + 15;
    } else if (type == Type::Ean8) {
        digits("lblRakam1", sol, code.left(4));
        digits("lblRakam2", sol + 51, code.mid(4, 4));
    } else {
        digits("lblRakam1", sol, code);
    }
    // Bars twice the narrowest width when the symbol still fits the label, else the narrowest.
    const double symbolLeft = mm(std::max(0, symbolAt));
    TZemrakBarkod measure;
    measure.tip = symbology(type);
    measure.Metin = code;
    measure.setModul(2);
    const int module = symbolLeft + measure.Genislik() * 0.254 <= mm(v[EUzun]) ? 2 : 1;
    ElementDef symbol = element(ElementKind::Barcode, QStringLiteral("Barkod"),
                                {symbolLeft, 0, mm(v[EUzun]) - symbolLeft, symbolHeight}, code);
    symbol.barcodeType = int(symbology(type));
    symbol.barcodeModule = module;
    symbol.barcodeChecksum = type == Type::Ean13;
    symbol.barcodeHeight = int(symbolHeight / 0.254);
    elements.push_back(symbol);
    def.bands.push_back(band(BandKind::Detail, QStringLiteral("Etiket"), height, elements));

    ReportRenderer renderer(def, nullptr);
    renderer.setCopies(copies);
    return renderer.render();
}

} // namespace StockLabels
