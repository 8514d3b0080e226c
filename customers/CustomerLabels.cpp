#include "customers/CustomerLabels.h"

#include "customers/CustomerOrders.h"
#include "printing/LabelSheet.h"
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
    LabelSheet::Key key;
    const char* hint;
};

const FieldText kFields[FieldCount] = {
    {{"UZUNLUK", "40", "Sayfa Uzunluğu : "}, "Etiket sayfa uzunluğu"},
    {{"GENISLIK", "180", "Sayfa genişliği : "}, "Etiket sayfa genişliği"},
    {{"KOLON", "2", "Kolon sayısı : "}, "Yanyana etiket sayısı"},
    {{"UST", "0", "Üst Marjin : "}, "Üst marjin"},
    {{"ALT", "0", "Alt Marjin : "}, "Alt marjin"},
    {{"SOL", "10", "Sol Marjin : "}, "Sol marjin"},
    {{"SAG", "10", "Sağ Marjin : "}, "Sağ marjin"},
    {{"EUZUN", "181", "Etiket uzunluk : "}, "Etiket uzunluğu pixel cinsinden (2.6 pixel 1 mm)"},
    {{"EGENIS", "84", "Etiket genişlik : "}, "Etiket genişliği pixel cinsinden (2.6 pixel 1 mm)"},
    {{"KUZUN", "170", "Kalem uzunluk : "}, "Etiket yazı uzunluğu pixel cinsinden (2.6 pixel 1 mm)"},
    {{"KSOL", "0", "Sol : "}, "Etiket sol başlama noktası pixel cinsinden (2.6 pixel 1 mm)"},
    {{"EKI", "SN:", "Etiket öneki : "}, "Yetkili kişinin önüne yazılacak ek"}};

const QString kSection = QStringLiteral("ETIKET");

// The own layout's pixels, 2.6 to the millimetre; the standard sheet's, 96 to the inch.
constexpr double kPixelsPerMm = 2.6;
constexpr double kReportPixelMm = 25.4 / 96;
constexpr double kOwnStep = 13;
const double kStandardLeft[2] = {25, 328};
const double kStandardTop[6] = {2, 141, 288, 436, 579, 719};
constexpr double kStandardWidth = 260, kStandardStep = 17;
constexpr int kPerBand = 12, kLinesPerLabel = 6;

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
    return kFields[field].key.key;
}
QString caption(Field field)
{
    return QString::fromUtf8(kFields[field].key.caption);
}
QString hint(Field field)
{
    return QString::fromUtf8(kFields[field].hint);
}

std::array<LabelSheet::Key, FieldCount> keys()
{
    std::array<LabelSheet::Key, FieldCount> k;
    for (int f = 0; f < FieldCount; ++f)
        k[size_t(f)] = kFields[f].key;
    return k;
}

Sheet read(const IniFile& ini)
{
    const QStringList values = LabelSheet::read(ini, kSection, keys());
    Sheet s;
    for (int f = 0; f < FieldCount; ++f)
        s[size_t(f)] = values[f];
    return s;
}

void write(IniFile& ini, const Sheet& sheet)
{
    LabelSheet::write(ini, kSection, keys(), QStringList(sheet.begin(), sheet.end()));
}

namespace {

// The sheet's values as whole numbers (the prefix aside); the refusal of the first that is not.
QString wholeValues(const Choice& choice, std::array<int, FieldCount>& v)
{
    for (int f = 0; f < Eki; ++f)
        if (!LabelSheet::whole(choice.sheet[size_t(f)], v[size_t(f)]))
            return LabelSheet::notWhole(kFields[f].key, choice.sheet[size_t(f)]);
    return QString();
}

LabelSheet::Page pageOf(const std::array<int, FieldCount>& v)
{
    return {v[Uzunluk], v[Genislik], v[Ust], v[Alt], v[Sol], v[Sag]};
}

} // namespace

QString refusal(const Choice& choice)
{
    std::array<int, FieldCount> v{};
    if (QString why = wholeValues(choice, v); !why.isEmpty()) return why;
    const LabelSheet::Page page = pageOf(v);
    if (QString why = LabelSheet::pageRefusal(page); !why.isEmpty()) return why;
    if (choice.standard) {
        if (page.areaWidth() < kStandardWidthMm || page.areaHeight() < kStandardHeightMm)
            return QStringLiteral("Standart etiket sayfası (%1 × %2 mm) basılacak alana (%3 × %4 "
                                  "mm) sığmıyor.")
                .arg(kStandardWidthMm)
                .arg(kStandardHeightMm)
                .arg(page.areaWidth())
                .arg(page.areaHeight());
        return QString();
    }
    if (QString why = LabelSheet::labelRefusal(page, v[Kolon], v[EUzun] / kPixelsPerMm,
                                               v[EGenis] / kPixelsPerMm);
        !why.isEmpty())
        return why;
    if (v[KUzun] == 0) return QStringLiteral("Etiket ölçüleri sıfır olamaz.");
    if (v[KSol] >= v[EUzun])
        return QStringLiteral("Satırlar etiketin dışında başlıyor (Sol %1, etiket %2 piksel).")
            .arg(v[KSol])
            .arg(v[EUzun]);
    return QString();
}

RunningReport startLabels(CompanyData& company, const Choice& choice)
{
    const QString refused = refusal(choice);
    if (!refused.isEmpty()) throw AppError(QStringLiteral("Etiket ölçüleri hatalı"), refused);
    std::array<int, FieldCount> v{};
    wholeValues(choice, v);

    // The cards, on a cursor of our own that the bands read as they print.
    struct State {
        std::unique_ptr<Table> cari;
    };
    auto st = std::make_shared<State>();
    st->cari = std::make_unique<Table>(company.connection(), QStringLiteral("Cari"));
    Table& cari = *st->cari;
    cari.setReadFields({QStringLiteral("Unvani"), QStringLiteral("Yetkili"),
                        QStringLiteral("IsAdres1"), QStringLiteral("IsAdres2"),
                        QStringLiteral("IsAdres3"), QStringLiteral("PKod"), QStringLiteral("Il"),
                        QStringLiteral("Ilce")});
    cari.setIndexName(CustomerOrder::indexName(choice.cards.order == 1 ? CustomerOrder::Title
                                                                       : CustomerOrder::Code));
    cari.setFilter(CustomerReports::cardFilter(choice.cards));
    cari.setFiltered(true);
    cari.open();
    const qint64 count = cari.recordCount();
    cari.first();

    ReportDef def;
    def.name = QStringLiteral("TfrmCariEtiket");
    def.className = QStringLiteral("TQuickRep");
    LabelSheet::apply(def, pageOf(v), choice.standard ? 1 : v[Kolon]);
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
        for (int l = 0; l < kLinesPerLabel; ++l)
            elements.push_back(line(QStringLiteral("e0_%1").arg(l),
                                    QRectF(v[KSol] / kPixelsPerMm, l * kOwnStep / kPixelsPerMm,
                                           v[KUzun] / kPixelsPerMm, kOwnStep / kPixelsPerMm)));
        def.bands.push_back(
            band(BandKind::Detail, QStringLiteral("Etiket"), v[EGenis] / kPixelsPerMm, elements));
    }
    const int perBand = choice.standard ? kPerBand : 1;
    auto renderer = std::make_unique<ReportRenderer>(def, nullptr);
    renderer->setCopies(std::max<int>(1, int((count + perBand - 1) / perBand)));
    renderer->beforePrint = [&cari, choice, perBand](BandPrint& p) {
        for (int slot = 0; slot < perBand; ++slot) {
            QStringList shown;
            if (!cari.eof()) {
                Card c;
                c.title = cari[QStringLiteral("Unvani")].asString();
                c.contact = cari[QStringLiteral("Yetkili")].asString();
                for (int i = 0; i < 3; ++i)
                    c.address[i] = cari[QStringLiteral("IsAdres%1").arg(i + 1)].asString();
                c.postCode = cari[QStringLiteral("PKod")].asString();
                c.il = cari[QStringLiteral("Il")].asString();
                c.ilce = cari[QStringLiteral("Ilce")].asString();
                shown = lines(c, choice);
                cari.next();
            }
            // The own layout stacks the lines shown; the standard sheet keeps each in its place.
            if (!choice.standard) shown.removeIf([](const QString& line) { return line.isNull(); });
            for (int l = 0; l < kLinesPerLabel; ++l)
                p.setText(QStringLiteral("e%1_%2").arg(slot).arg(l), shown.value(l));
        }
    };
    return {st, std::move(renderer)};
}

PageSet labels(CompanyData& company, const Choice& choice)
{
    return startLabels(company, choice).renderer->render();
}

} // namespace CustomerLabels
