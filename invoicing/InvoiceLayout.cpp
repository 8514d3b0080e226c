#include "invoicing/InvoiceLayout.h"

#include "printing/ReportDesign.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/IniFile.h"
#include "store/Table.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QString kSection = QStringLiteral("FATURA");
constexpr double kTextHeight = 18; // pixels
// Page margins of the built-in layout, mm.
constexpr double kLeft = 10, kRight = 10, kTop = 5, kBottom = 10;

double mm(double pixels)
{
    return pixels * kInvoicePixelMm;
}

struct Place {
    const char* element;
    const char* plan; // FatPlan prefix: plan_L, plan_T
    double width;
    const char* flag = nullptr; // FatPlan show flag, when the element has one
    bool right = false;
};

// The customer block of the title (and of later pages' header).
const Place kHeaderPlaces[] = {
    {"Unvani", "Unvani", 400},
    {"Adres1", "Adres1", 400},
    {"Adres2", "Adres2", 400},
    {"Vd", "Vd", 100},
    {"VdNo", "VdNo", 150},
    {"Tarih", "Tarih", 110},
    {"IrsTarih", "IrsTarih", 110, "IrsTarih"},
    {"IrsNo", "IrsNo", 110, "IrsNo"},
};

const Place kDetailPlaces[] = {
    {"Kodu", "Kodu", 80, "Kodu"},
    {"Cinsi", "Cinsi", 200, "Cinsi"},
    {"Miktari", "Miktari", 50, "Miktari", true},
    {"Birim", "Birim", 40, "Birim"},
    {"BirimF", "BirimF", 70, "BirimF", true},
    {"Tutari", "Tutari", 75, "Tutari", true},
    {"IskTutar", "IskTutar", 55, "IskTutar", true},
    {"KdvOran", "KdvOran", 30, "KdvOran", true},
    {"AraTop", "AraTop", 90, "AraTop", true},
};

// The VAT block's columns, relative to Mutabakat_L and _T: heading, values, left, width.
struct VatColumn {
    const char* heading;
    const char* memo;
    const char* text;
    double left, width;
};
const VatColumn kVatColumns[] = {
    {"lblToplam", "memoToplam", "Matrah Tutarı", 0, 140},
    {"lblKdv", "memoKdv", "%", 151, 28},
    {"lblKdvTutar", "memoKdvTutar", "Kdv Tutarı", 182, 110},
};
constexpr double kVatMemoTop = 17, kVatMemoHeight = 85;
constexpr double kFooterValueWidth = 144, kFooterLabelWidth = 150;

int pixels(const InvoicePlan& plan, const QString& name)
{
    return plan.value(name).toInt();
}

bool shown(const InvoicePlan& plan, const char* flag)
{
    return !flag || plan.value(QLatin1String(flag)).toString().trimmed().toUpper() != u"H";
}

ElementDef text(const QString& name, ElementKind kind, double left, double top, double width,
                double height, const QFont& font)
{
    ElementDef e;
    e.name = name;
    e.className = elementClassName(kind);
    e.kind = kind;
    e.rect = QRectF(mm(left), mm(top), mm(width), mm(height));
    e.font = font;
    return e;
}

BandDef band(const QString& name, BandKind kind, double heightPixels)
{
    BandDef b;
    b.name = name;
    b.className = bandClassName(kind);
    b.kind = kind;
    b.height = mm(heightPixels);
    return b;
}

} // namespace

InvoiceLayoutSettings InvoiceLayoutSettings::read(const IniFile& ini)
{
    InvoiceLayoutSettings s;
    s.genis = ini.readFloat(kSection, QStringLiteral("GENIS"), s.genis);
    s.uzun = ini.readFloat(kSection, QStringLiteral("UZUN"), s.uzun);
    s.chkIskonto = ini.readBool(kSection, QStringLiteral("chkISKONTO"), false);
    s.iskontoL = ini.readFloat(kSection, QStringLiteral("ISKONTO_L"), s.iskontoL);
    s.iskontoT = ini.readFloat(kSection, QStringLiteral("ISKONTO_T"), s.iskontoT);
    const char* keys[4] = {"ISKONTO", "TUTAR", "KDV", "GTOPLAM"};
    for (int i = 0; i < 4; ++i) {
        s.texts[i] = ini.readString(kSection, QLatin1String(keys[i]), s.texts[i]);
        s.shown[i] = ini.readBool(kSection, QStringLiteral("chkISKONTO_%1").arg(i + 1), s.shown[i]);
    }
    s.fontSize = ini.readInteger(kSection, QStringLiteral("FONT_SIZE"), s.fontSize);
    s.fontName = ini.readString(kSection, QStringLiteral("FONT_NAME"), s.fontName);
    if (s.fontSize <= 0) s.fontSize = 10;
    return s;
}

void InvoiceLayoutSettings::write(IniFile& ini) const
{
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    QList<QPair<QString, QString>> values = {
        {QStringLiteral("GENIS"), QString::number(genis)},
        {QStringLiteral("UZUN"), QString::number(uzun)},
        {QStringLiteral("chkISKONTO"), flag(chkIskonto)},
        {QStringLiteral("ISKONTO_L"), QString::number(iskontoL)},
        {QStringLiteral("ISKONTO_T"), QString::number(iskontoT)},
        {QStringLiteral("ISKONTO"), texts[0]},
        {QStringLiteral("TUTAR"), texts[1]},
        {QStringLiteral("KDV"), texts[2]},
        {QStringLiteral("GTOPLAM"), texts[3]},
        {QStringLiteral("FONT_SIZE"), QString::number(fontSize)},
        {QStringLiteral("FONT_NAME"), fontName},
    };
    for (int i = 0; i < 4; ++i)
        values.append({QStringLiteral("chkISKONTO_%1").arg(i + 1), flag(shown[i])});
    ini.writeStrings(kSection, values);
}

InvoicePlan readInvoicePlan(Table& fatPlan)
{
    InvoicePlan plan;
    fatPlan.refresh();
    fatPlan.first();
    if (fatPlan.isEmpty()) return plan;
    for (int i = 1; i < fatPlan.fieldCount(); ++i)
        plan.insert(fatPlan.field(i).name(), fatPlan.value(i));
    return plan;
}

void writeInvoicePlan(Table& fatPlan, const InvoicePlan& plan)
{
    CommandTransaction transaction(fatPlan.connection());
    fatPlan.refresh();
    fatPlan.first();
    changeOrCancel(fatPlan, [&] {
        if (fatPlan.isEmpty())
            fatPlan.append();
        else
            fatPlan.edit();
        for (auto it = plan.begin(); it != plan.end(); ++it)
            if (fatPlan.fieldIndex(it.key()) > 0) fatPlan[it.key()] = it.value();
        fatPlan.post();
    });
    transaction.commit();
}

ReportDef builtInInvoiceLayout(const InvoicePlan& plan, const InvoiceLayoutSettings& settings,
                               const QString& moneyMask, const QString& priceMask)
{
    const QFont font(settings.fontName, settings.fontSize);
    const auto at = [&](const char* prefix, const char* side) {
        return double(
            pixels(plan, QStringLiteral("%1_%2").arg(QLatin1String(prefix), QLatin1String(side))));
    };
    const double titleH = pixels(plan, QStringLiteral("Title_H"));
    const double detailH = pixels(plan, QStringLiteral("Detail_H"));
    const double footerH = pixels(plan, QStringLiteral("Footer_H"));

    ReportDef def;
    def.name = QStringLiteral("TfrmFtSatisP");
    def.className = QStringLiteral("TQuickRep");
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = settings.genis;
    def.page.heightMm = settings.uzun;
    def.page.left = kLeft;
    def.page.right = kRight;
    def.page.top = kTop;
    def.page.bottom = kBottom;
    def.page.headerOnFirstPage = false;
    def.page.footerOnLastPage = true;

    BandDef title = band(QStringLiteral("TitleBand1"), BandKind::Title, titleH);
    BandDef header =
        band(QStringLiteral("PageHeaderBand1"), BandKind::PageHeader, titleH + detailH);
    for (const Place& p : kHeaderPlaces) {
        for (auto [b, prefix] : {std::pair{&title, "lblT"}, std::pair{&header, "lblH"}}) {
            ElementDef e =
                text(QLatin1String(prefix) + QLatin1String(p.element), ElementKind::Label,
                     at(p.plan, "L"), at(p.plan, "T"), p.width, kTextHeight, font);
            e.enabled = shown(plan, p.flag);
            b->elements.push_back(e);
        }
    }
    header.elements.push_back(text(QStringLiteral("lblHNakil"), ElementKind::Label, 360, titleH + 2,
                                   200, kTextHeight, font));
    header.elements.back().text = QStringLiteral("NAKLİ YEKÜN");
    ElementDef carried =
        text(QStringLiteral("lblHNToplam"), ElementKind::Label, at("PAraToplam", "L"), titleH + 2,
             kFooterValueWidth, kTextHeight, font);
    carried.alignment = Qt::AlignRight;
    carried.mask = moneyMask;
    header.elements.push_back(carried);

    BandDef detail = band(QStringLiteral("DetailBand1"), BandKind::Detail, detailH);
    for (const Place& p : kDetailPlaces) {
        ElementDef e = text(QStringLiteral("txt") + QLatin1String(p.element), ElementKind::DBText,
                            at(p.plan, "L"), at(p.plan, "T"), p.width, kTextHeight, font);
        e.field = QLatin1String(p.element);
        if (p.right) e.alignment = Qt::AlignRight;
        const QString field = e.field;
        e.mask = field == u"BirimF"                                                 ? priceMask
                 : field == u"Tutari" || field == u"IskTutar" || field == u"AraTop" ? moneyMask
                 : field == u"KdvOran" ? QStringLiteral("#,##0.##")
                                       : QString();
        e.enabled = shown(plan, p.flag);
        detail.elements.push_back(e);
    }

    BandDef footer = band(QStringLiteral("PageFooterBand1"), BandKind::PageFooter, footerH);
    const struct {
        const char* value;
        double left, top;
        bool on;
    } values[4] = {
        {"txtIskonto", settings.iskontoL, settings.iskontoT, settings.chkIskonto},
        {"txtPAraToplam", at("PAraToplam", "L"), at("PAraToplam", "T"), true},
        {"txtPKdv", at("PKdv", "L"), at("PKdv", "T"), true},
        {"txtPGToplam", at("PGToplam", "L"), at("PGToplam", "T"), true},
    };
    for (int i = 0; i < 4; ++i) {
        ElementDef v = text(QLatin1String(values[i].value), ElementKind::Label, values[i].left,
                            values[i].top, kFooterValueWidth, kTextHeight, font);
        v.alignment = Qt::AlignRight;
        v.mask = moneyMask;
        v.enabled = values[i].on;
        footer.elements.push_back(v);
        // Each label ends 3 pixels left of its value, at the same height.
        ElementDef l = text(QStringLiteral("lbl%1").arg(i + 1), ElementKind::Label,
                            values[i].left - kFooterLabelWidth - 3, values[i].top,
                            kFooterLabelWidth, kTextHeight, font);
        l.alignment = Qt::AlignRight;
        l.text = settings.texts[i];
        l.enabled = settings.shown[i];
        footer.elements.push_back(l);
    }
    const bool vat = shown(plan, "Mutabakat");
    const double vatLeft = at("Mutabakat", "L"), vatTop = at("Mutabakat", "T");
    for (const VatColumn& c : kVatColumns) {
        ElementDef h = text(QLatin1String(c.heading), ElementKind::Label, vatLeft + c.left, vatTop,
                            c.width, kTextHeight, font);
        h.text = QString::fromUtf8(c.text);
        h.alignment = Qt::AlignRight;
        h.enabled = vat;
        footer.elements.push_back(h);
        ElementDef m = text(QLatin1String(c.memo), ElementKind::Memo, vatLeft + c.left,
                            vatTop + kVatMemoTop, c.width, kVatMemoHeight, font);
        m.alignment = Qt::AlignRight;
        m.enabled = vat;
        footer.elements.push_back(m);
    }
    footer.elements.push_back(text(QStringLiteral("lblYazi"), ElementKind::Label, at("Yazi", "L"),
                                   at("Yazi", "T"), 700, kTextHeight, font));

    title.beforePrint = QStringLiteral("TitleBand1BeforePrint");
    header.beforePrint = QStringLiteral("PageHeaderBand1BeforePrint");
    detail.beforePrint = QStringLiteral("DetailBand1BeforePrint");
    footer.beforePrint = QStringLiteral("PageFooterBand1BeforePrint");
    def.bands = {title, header, detail, footer};
    return def;
}

QString invoiceLayoutFault(const InvoicePlan& plan, const InvoiceLayoutSettings& settings)
{
    if (!(settings.genis >= 50 && settings.genis <= 1000 && settings.uzun >= 50 &&
          settings.uzun <= 2000))
        return QStringLiteral("Fatura genişliği ve uzunluğu 50 ile 1000 mm arasında olmalıdır.");
    const double width = (settings.genis - kLeft - kRight) / kInvoicePixelMm;
    const double height = (settings.uzun - kTop - kBottom) / kInvoicePixelMm;
    const double titleH = pixels(plan, QStringLiteral("Title_H"));
    const double detailH = pixels(plan, QStringLiteral("Detail_H"));
    const double footerH = pixels(plan, QStringLiteral("Footer_H"));
    if (titleH < 0 || detailH < kTextHeight || footerH < 0)
        return QStringLiteral("Kalem yüksekliği en az %1 pixel, diğer yükseklikler 0 veya "
                              "daha büyük olmalıdır.")
            .arg(kTextHeight);
    // The page header (title + line) and footer must leave room for at least one line.
    if (titleH + detailH + detailH + footerH > height)
        return QStringLiteral("Bant yükseklikleri sayfa uzunluğuna sığmıyor.");
    const auto outside = [&](const QString& label, double left, double top, double w, double h,
                             double bandHeight) {
        if (left < 0 || top < 0 || left + w > width || top + h > bandHeight)
            return QStringLiteral("%1 sayfanın ya da bandının dışında kalıyor (sol %2, üst %3).")
                .arg(label)
                .arg(left)
                .arg(top);
        return QString();
    };
    const auto at = [&](const char* prefix, const char* side) {
        return double(
            pixels(plan, QStringLiteral("%1_%2").arg(QLatin1String(prefix), QLatin1String(side))));
    };
    QString fault;
    for (const Place& p : kHeaderPlaces)
        if (fault.isEmpty() && shown(plan, p.flag))
            fault = outside(QLatin1String(p.element), at(p.plan, "L"), at(p.plan, "T"), p.width,
                            kTextHeight, titleH);
    for (const Place& p : kDetailPlaces)
        if (fault.isEmpty() && shown(plan, p.flag))
            fault = outside(QLatin1String(p.element), at(p.plan, "L"), at(p.plan, "T"), p.width,
                            kTextHeight, detailH);
    const struct {
        const char* name;
        double left, top, width;
        bool on;
    } footer[5] = {
        {"İskonto", settings.iskontoL, settings.iskontoT, kFooterValueWidth, settings.chkIskonto},
        {"Alt toplam", at("PAraToplam", "L"), at("PAraToplam", "T"), kFooterValueWidth, true},
        {"Alt Kdv", at("PKdv", "L"), at("PKdv", "T"), kFooterValueWidth, true},
        {"Alt genel toplam", at("PGToplam", "L"), at("PGToplam", "T"), kFooterValueWidth, true},
        // The words may run to the page's edge; their start must be on it.
        {"Yazıyla tutar", at("Yazi", "L"), at("Yazi", "T"), 1, true},
    };
    for (const auto& f : footer)
        if (fault.isEmpty() && f.on)
            fault =
                outside(QString::fromUtf8(f.name), f.left, f.top, f.width, kTextHeight, footerH);
    if (fault.isEmpty() && shown(plan, "Mutabakat"))
        fault = outside(QStringLiteral("Kdv detayı"), at("Mutabakat", "L"), at("Mutabakat", "T"),
                        kVatColumns[2].left + kVatColumns[2].width, kVatMemoTop + kVatMemoHeight,
                        footerH);
    return fault;
}

const QStringList& invoiceHandlers()
{
    static const QStringList names = {
        QStringLiteral("TitleBand1BeforePrint"), QStringLiteral("PageHeaderBand1BeforePrint"),
        QStringLiteral("DetailBand1BeforePrint"), QStringLiteral("PageFooterBand1BeforePrint")};
    return names;
}

namespace {

[[noreturn]] void unreadable(const QString& path, const QString& reason)
{
    throw AppError(QStringLiteral("Dizayn dosyası okunamadı"),
                   QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
}

// The old program's layouts: a binary form stream, or its text form.
bool oldFormat(const QByteArray& bytes)
{
    if (bytes.startsWith("TPF0") || bytes.left(4096).contains('\0')) return true;
    const QByteArray start = bytes.left(64).trimmed();
    return start.startsWith("object ") || start.startsWith("inherited ");
}

} // namespace

ReportDef readInvoiceLayoutFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) unreadable(path, file.errorString());
    if (file.size() > kLayoutFileLimit) unreadable(path, QStringLiteral("dosya 16 MB'tan büyük"));
    const QByteArray bytes = file.read(kLayoutFileLimit + 1);
    if (file.error() != QFileDevice::NoError) unreadable(path, file.errorString());
    if (bytes.size() > kLayoutFileLimit) unreadable(path, QStringLiteral("dosya 16 MB'tan büyük"));
    if (oldFormat(bytes)) unreadable(path, QStringLiteral("eski biçim; yeniden dizayn ediniz"));
    ReportDef def;
    try {
        def = ReportDef::fromJson(bytes);
    } catch (const AppError& e) {
        unreadable(path, e.message());
    }
    if (!QStringList{QStringLiteral("TQuickRep"), QStringLiteral("TZRQuickRep")}.contains(
            def.className))
        unreadable(path, QStringLiteral("bilinmeyen rapor sınıfı \"%1\"").arg(def.className));
    // Layouts written before bands named their handlers: the first band of each kind that the
    // built-in layout fills takes its handler.
    if (std::all_of(def.bands.begin(), def.bands.end(),
                    [](const BandDef& b) { return b.beforePrint.isEmpty(); })) {
        const std::pair<BandKind, int> kinds[] = {{BandKind::Title, 0},
                                                  {BandKind::PageHeader, 1},
                                                  {BandKind::Detail, 2},
                                                  {BandKind::PageFooter, 3}};
        for (const auto& [kind, handler] : kinds)
            for (BandDef& b : def.bands)
                if (b.kind == kind) {
                    b.beforePrint = invoiceHandlers()[handler];
                    break;
                }
    }
    if (const QString fault = ReportDesign::layoutFault(def, invoiceHandlers()); !fault.isEmpty())
        unreadable(path, fault);
    return def;
}

void writeInvoiceLayoutFile(const QString& path, const ReportDef& def,
                            const std::function<void()>& beforeRename)
{
    const auto failed = [&](const QString& reason) {
        return AppError(QStringLiteral("Dizayn dosyası yazılamadı"),
                        QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason));
    };
    const QByteArray bytes = def.toJson();
    if (bytes.size() > kLayoutFileLimit) throw failed(QStringLiteral("dizayn 16 MB'tan büyük"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) throw failed(file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw failed(reason);
    }
    if (beforeRename) {
        try {
            beforeRename();
        } catch (const AppError& e) {
            file.cancelWriting();
            throw failed(e.message());
        }
    }
    if (!file.commit()) throw failed(file.errorString());
}
