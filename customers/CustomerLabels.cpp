#include "customers/CustomerLabels.h"

#include "customers/CustomerOrders.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "store/Table.h"

using namespace ReportBuilder;

namespace CustomerLabels {

namespace {

struct FieldText {
    const char* key;
    const char* fallback;
    const char* caption;
    const char* hint;
};

const FieldText kFields[FieldCount] = {
    {"UZUNLUK", "40", "Sayfa Uzunluğu : ", "Etiket sayfa uzunluğu"},
    {"GENISLIK", "180", "Sayfa genişliği : ", "Etiket sayfa genişliği"},
    {"KOLON", "2", "Kolon sayısı : ", "Yanyana etiket sayısı"},
    {"UST", "0", "Üst Marjin : ", "Üst marjin"},
    {"ALT", "0", "Alt Marjin : ", "Alt marjin"},
    {"SOL", "10", "Sol Marjin : ", "Sol marjin"},
    {"SAG", "10", "Sağ Marjin : ", "Sağ marjin"},
    {"EUZUN", "181", "Etiket uzunluk : ", "Etiket uzunluğu pixel cinsinden (2.6 pixel 1 mm)"},
    {"EGENIS", "84", "Etiket genişlik : ", "Etiket genişliği pixel cinsinden (2.6 pixel 1 mm)"},
    {"KUZUN", "170", "Kalem uzunluk : ", "Etiket yazı uzunluğu pixel cinsinden (2.6 pixel 1 mm)"},
    {"KSOL", "0", "Sol : ", "Etiket sol başlama noktası pixel cinsinden (2.6 pixel 1 mm)"},
    {"EKI", "SN:", "Etiket öneki : ", "Yetkili kişinin önüne yazılacak ek"}};

const QString kSection = QStringLiteral("ETIKET");

// The own layout's pixels, 2.6 to the millimetre; the standard sheet's, 96 to the inch.
constexpr double kPixelsPerMm = 2.6;
constexpr double kReportPixelMm = 25.4 / 96;
constexpr double kOwnStep = 13;
const double kStandardLeft[2] = {25, 328};
const double kStandardTop[6] = {2, 141, 288, 436, 579, 719};
constexpr double kStandardWidth = 260, kStandardStep = 17;
constexpr int kPerBand = 12, kLinesPerLabel = 6;

bool whole(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok;
}

struct Card {
    QString title, contact, address[3], postCode, il, ilce;
};

// The lines of a label in the order the sheet stacks them; those not shown are null.
QStringList lines(const Card& c, const Choice& choice)
{
    const Lines& show = choice.lines;
    QString place = show.postCode ? c.postCode : QString();
    if (show.place)
        place += choice.standard ? QStringLiteral(" %1 %2").arg(c.il, c.ilce)
                                 : QStringLiteral(" %1  %2").arg(c.ilce, c.il);
    const auto shown = [](bool on, const QString& text) {
        return on ? (text.isNull() ? QStringLiteral("") : text) : QString();
    };
    const QString contact = shown(show.contact, choice.sheet[Eki] + QLatin1Char(' ') + c.contact);
    const QString title = shown(show.title, c.title);
    QStringList out;
    // The standard sheet puts the contact first, the own layout the title.
    if (choice.standard)
        out << contact << title;
    else
        out << title << contact;
    for (const QString& a : c.address)
        out << shown(show.address, a);
    out << shown(show.postCode || show.place, place);
    return out;
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
QString hint(Field field)
{
    return QString::fromUtf8(kFields[field].hint);
}

Sheet read(const IniFile& ini)
{
    Sheet s;
    for (int f = 0; f < FieldCount; ++f)
        s[size_t(f)] = ini.readString(kSection, QLatin1String(kFields[f].key),
                                      QString::fromUtf8(kFields[f].fallback));
    return s;
}

void write(IniFile& ini, const Sheet& sheet)
{
    QList<QPair<QString, QString>> values;
    for (int f = 0; f < FieldCount; ++f)
        values.append({QLatin1String(kFields[f].key), sheet[size_t(f)]});
    ini.writeStrings(kSection, values);
}

QString refusal(const Choice& choice)
{
    std::array<int, FieldCount> v{};
    for (int f = 0; f < Eki; ++f)
        if (!whole(choice.sheet[size_t(f)], v[size_t(f)]) || v[size_t(f)] < 0)
            return QStringLiteral("\"%1\" tam sayı olmalı: \"%2\"")
                .arg(caption(Field(f)).section(QLatin1Char(':'), 0, 0).trimmed(),
                     choice.sheet[size_t(f)]);
    if (v[Uzunluk] == 0 || v[Genislik] == 0) return QStringLiteral("Sayfa ölçüleri sıfır olamaz.");
    const int areaWidth = v[Genislik] - v[Sol] - v[Sag];
    const int areaHeight = v[Uzunluk] - v[Ust] - v[Alt];
    if (areaWidth <= 0 || areaHeight <= 0)
        return QStringLiteral("Kenar boşlukları sayfada basılacak alan bırakmıyor.");
    if (choice.standard) {
        if (areaWidth < kStandardWidthMm || areaHeight < kStandardHeightMm)
            return QStringLiteral("Standart etiket sayfası (%1 × %2 mm) basılacak alana (%3 × %4 "
                                  "mm) sığmıyor.")
                .arg(kStandardWidthMm)
                .arg(kStandardHeightMm)
                .arg(areaWidth)
                .arg(areaHeight);
        return QString();
    }
    if (v[Kolon] < 1) return QStringLiteral("Kolon sayısı en az 1 olmalı.");
    if (v[EUzun] == 0 || v[EGenis] == 0 || v[KUzun] == 0)
        return QStringLiteral("Etiket ölçüleri sıfır olamaz.");
    const double width = v[EUzun] / kPixelsPerMm, height = v[EGenis] / kPixelsPerMm;
    const double column = double(areaWidth) / v[Kolon];
    if (width > column + 1e-9)
        return QStringLiteral("Etiket (%1 mm) kolondan (%2 mm) geniş.")
            .arg(QString::number(width, 'f', 1), QString::number(column, 'f', 1));
    if (height > areaHeight + 1e-9)
        return QStringLiteral("Etiket (%1 mm) sayfadan (%2 mm) uzun.")
            .arg(QString::number(height, 'f', 1))
            .arg(areaHeight);
    if (v[KSol] >= v[EUzun])
        return QStringLiteral("Satırlar etiketin dışında başlıyor (Sol %1, etiket %2 piksel).")
            .arg(v[KSol])
            .arg(v[EUzun]);
    return QString();
}

PageSet labels(CompanyData& company, const Choice& choice)
{
    const QString refused = refusal(choice);
    if (!refused.isEmpty()) throw AppError(QStringLiteral("Etiket ölçüleri hatalı"), refused);
    std::array<int, FieldCount> v{};
    for (int f = 0; f < Eki; ++f)
        whole(choice.sheet[size_t(f)], v[size_t(f)]);

    // The cards, read once on a cursor of our own.
    Table cari(company.connection(), QStringLiteral("Cari"));
    cari.setReadFields({QStringLiteral("Unvani"), QStringLiteral("Yetkili"),
                        QStringLiteral("IsAdres1"), QStringLiteral("IsAdres2"),
                        QStringLiteral("IsAdres3"), QStringLiteral("PKod"), QStringLiteral("Il"),
                        QStringLiteral("Ilce")});
    cari.setIndexName(CustomerOrder::indexName(choice.cards.order == 1 ? CustomerOrder::Title
                                                                       : CustomerOrder::Code));
    cari.setFilter(CustomerReports::cardFilter(choice.cards));
    cari.setFiltered(true);
    cari.open();
    std::vector<Card> cards;
    for (cari.first(); !cari.eof(); cari.next()) {
        Card c;
        c.title = cari[QStringLiteral("Unvani")].asString();
        c.contact = cari[QStringLiteral("Yetkili")].asString();
        for (int i = 0; i < 3; ++i)
            c.address[i] = cari[QStringLiteral("IsAdres%1").arg(i + 1)].asString();
        c.postCode = cari[QStringLiteral("PKod")].asString();
        c.il = cari[QStringLiteral("Il")].asString();
        c.ilce = cari[QStringLiteral("Ilce")].asString();
        cards.push_back(std::move(c));
    }

    ReportDef def;
    def.name = QStringLiteral("TfrmCariEtiket");
    def.className = QStringLiteral("TQuickRep");
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = v[Genislik];
    def.page.heightMm = v[Uzunluk];
    def.page.top = v[Ust];
    def.page.bottom = v[Alt];
    def.page.left = v[Sol];
    def.page.right = v[Sag];
    const auto line = [&](const QString& name, const QRectF& rect) {
        ElementDef e = label(name, rect, QString());
        e.font = choice.font;
        return e;
    };
    std::vector<ElementDef> elements;
    if (choice.standard) {
        // A band of twelve labels: left to right, top to bottom.
        for (int slot = 0; slot < kPerBand; ++slot)
            for (int l = 0; l < kLinesPerLabel; ++l)
                elements.push_back(
                    line(QStringLiteral("e%1_%2").arg(slot).arg(l),
                         QRectF(kStandardLeft[slot % 2] * kReportPixelMm,
                                (kStandardTop[slot / 2] + l * kStandardStep) * kReportPixelMm,
                                kStandardWidth * kReportPixelMm, kStandardStep * kReportPixelMm)));
        def.bands.push_back(
            band(BandKind::Detail, QStringLiteral("Etiketler"), kStandardHeightMm, elements));
    } else {
        def.page.columns = v[Kolon];
        for (int l = 0; l < kLinesPerLabel; ++l)
            elements.push_back(line(QStringLiteral("e0_%1").arg(l),
                                    QRectF(v[KSol] / kPixelsPerMm, l * kOwnStep / kPixelsPerMm,
                                           v[KUzun] / kPixelsPerMm, kOwnStep / kPixelsPerMm)));
        def.bands.push_back(
            band(BandKind::Detail, QStringLiteral("Etiket"), v[EGenis] / kPixelsPerMm, elements));
    }
    const int perBand = choice.standard ? kPerBand : 1;
    ReportRenderer renderer(def, nullptr);
    renderer.setCopies(std::max<int>(1, int((cards.size() + perBand - 1) / perBand)));
    size_t next = 0;
    renderer.beforePrint = [&](BandPrint& p) {
        for (int slot = 0; slot < perBand; ++slot, ++next) {
            QStringList shown = next < cards.size() ? lines(cards[next], choice) : QStringList();
            // The own layout stacks the lines shown; the standard sheet keeps each in its place.
            if (!choice.standard) shown.removeIf([](const QString& line) { return line.isNull(); });
            for (int l = 0; l < kLinesPerLabel; ++l)
                p.setText(QStringLiteral("e%1_%2").arg(slot).arg(l), shown.value(l));
        }
    };
    return renderer.render();
}

} // namespace CustomerLabels
