#include "printing/DesignReportWindow.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using namespace ReportDesign;

namespace {

const QString kTitle = QStringLiteral("Rapor dizaynı");
const QStringList kUnits = {QStringLiteral("mm"), QStringLiteral("inch"), QStringLiteral("pixel")};
const char* const kBandNames[] = {"Başlık", "Sayfa başlığı", "Kolon başlığı",
                                  "Detay",  "Özet",          "Sayfa altı"};

double mmPer(int unit)
{
    return unit == 1 ? 25.4 : unit == 2 ? kPixelMm : 1.0;
}

// A length shown in a unit. The box keeps the exact millimetres beside the rounded value it
// shows, so that a length nobody touched goes back unchanged.
void showLength(QDoubleSpinBox* spin, double mm, int unit)
{
    spin->setDecimals(unit == 2 ? 0 : 2);
    spin->setValue(mm / mmPer(unit));
    spin->setProperty("mm", mm);
    spin->setProperty("shown", spin->value());
}

double lengthOf(const QDoubleSpinBox* spin, int unit)
{
    if (spin->value() == spin->property("shown").toDouble()) return spin->property("mm").toDouble();
    return spin->value() * mmPer(unit);
}

} // namespace

const std::vector<BandKind>& TfrmRaporAyar::standardBands()
{
    static const std::vector<BandKind> kinds = {BandKind::Title,        BandKind::PageHeader,
                                                BandKind::ColumnHeader, BandKind::Detail,
                                                BandKind::Summary,      BandKind::PageFooter};
    return kinds;
}

TfrmRaporAyar::TfrmRaporAyar(Shell& shell, DesignDocument& document, QWidget* parent)
    : FormBase(shell, QStringLiteral("Rapor ayarları"), parent, false)
    , doc_(document)
{
    setObjectName(QStringLiteral("frmRaporAyar"));
    const ReportDef& def = doc_.def();
    font_ = def.font;
    chooseFont = [this](const QFont& f) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, f, this);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    shownUnit_ = std::max<int>(0, int(kUnits.indexOf(def.page.units)));
    const auto lengthBox = [&](QGridLayout* grid, int row, int column, const QString& caption,
                               double mm) {
        auto* spin = new QDoubleSpinBox(this);
        spin->setRange(0, 99999);
        showLength(spin, mm, shownUnit_);
        grid->addWidget(new QLabel(caption, this), row, column, Qt::AlignRight);
        grid->addWidget(spin, row, column + 1);
        lengths_.insert(caption, spin);
        return spin;
    };

    auto* page = new QGroupBox(QStringLiteral("Sayfa ebadı"), this);
    auto* pageGrid = new QGridLayout(page);
    paper_ = new QComboBox(page);
    paper_->addItems({QStringLiteral("A4"), QStringLiteral("Letter"), QStringLiteral("Özel")});
    paper_->setCurrentIndex(int(def.page.paper));
    pageGrid->addWidget(new QLabel(QStringLiteral("Kağıt : "), page), 0, 0, Qt::AlignRight);
    pageGrid->addWidget(paper_, 0, 1);
    const QSizeF size = def.page.paper == PageSettings::Paper::Custom
                            ? QSizeF(def.page.widthMm, def.page.heightMm)
                            : PageSettings{def.page.paper}.size();
    lengthBox(pageGrid, 1, 0, QStringLiteral("Genişlik : "), size.width());
    lengthBox(pageGrid, 1, 2, QStringLiteral("Uzunluk : "), size.height());
    content()->addWidget(page);
    // A paper of its own keeps what was typed; A4 and Letter show their sizes.
    connect(paper_, &QComboBox::currentIndexChanged, this, [this](int paper) {
        if (paper == int(PageSettings::Paper::Custom)) return;
        PageSettings p;
        p.paper = PageSettings::Paper(paper);
        showLength(lengths_[QStringLiteral("Genişlik : ")], p.size().width(), shownUnit_);
        showLength(lengths_[QStringLiteral("Uzunluk : ")], p.size().height(), shownUnit_);
    });
    orientation_ =
        addRadioGroup(QStringLiteral(" Yön "), {QStringLiteral("Dikey"), QStringLiteral("Yatay")},
                      def.page.landscape ? 1 : 0);

    auto* margins = new QGroupBox(QStringLiteral("Marjinler"), this);
    auto* marginGrid = new QGridLayout(margins);
    lengthBox(marginGrid, 0, 0, QStringLiteral("Üst : "), def.page.top);
    lengthBox(marginGrid, 0, 2, QStringLiteral("Alt : "), def.page.bottom);
    lengthBox(marginGrid, 1, 0, QStringLiteral("Sol : "), def.page.left);
    lengthBox(marginGrid, 1, 2, QStringLiteral("Sağ : "), def.page.right);
    lengthBox(marginGrid, 2, 0, QStringLiteral("Kolon aralığı : "), def.page.columnSpacing);
    columns_ = new QSpinBox(margins);
    columns_->setRange(1, 20);
    columns_->setValue(def.page.columns);
    marginGrid->addWidget(new QLabel(QStringLiteral("Kolon sayısı : "), margins), 2, 2,
                          Qt::AlignRight);
    marginGrid->addWidget(columns_, 2, 3);
    content()->addWidget(margins);

    units_ = addRadioGroup(QStringLiteral(" Ölçü birimi "), kUnits, shownUnit_);
    // The lengths shown follow the unit chosen.
    connect(units_, &QButtonGroup::idClicked, this, [this](int unit) {
        for (QDoubleSpinBox* spin : std::as_const(lengths_))
            showLength(spin, lengthOf(spin, shownUnit_), unit);
        for (QDoubleSpinBox* spin : bandLengths_)
            showLength(spin, lengthOf(spin, shownUnit_), unit);
        shownUnit_ = unit;
    });

    auto* fontRow = new QGroupBox(QStringLiteral("Yazı tipi"), this);
    auto* fontGrid = new QGridLayout(fontRow);
    auto* fontButton = new QPushButton(QStringLiteral("&Font"), fontRow);
    connect(fontButton, &QPushButton::clicked, this, [this] {
        if (const auto f = chooseFont(font_)) {
            font_ = *f;
            fontSize_->setValue(std::max(1, font_.pointSize()));
        }
    });
    fontSize_ = new QSpinBox(fontRow);
    fontSize_->setRange(1, 200);
    fontSize_->setValue(std::max(1, font_.pointSize()));
    fontGrid->addWidget(fontButton, 0, 0);
    fontGrid->addWidget(new QLabel(QStringLiteral("Yazı boyu : "), fontRow), 0, 1, Qt::AlignRight);
    fontGrid->addWidget(fontSize_, 0, 2);
    content()->addWidget(fontRow);

    auto* frame = new QGroupBox(QStringLiteral(" Sayfa kenarlıkları"), this);
    auto* frameRow = new QHBoxLayout(frame);
    const std::pair<QString, bool> sides[] = {{QStringLiteral("Sol"), def.page.frame.left},
                                              {QStringLiteral("Sağ"), def.page.frame.right},
                                              {QStringLiteral("Üst"), def.page.frame.top},
                                              {QStringLiteral("Alt"), def.page.frame.bottom}};
    for (const auto& [caption, on] : sides) {
        auto* c = new QCheckBox(caption, frame);
        c->setChecked(on);
        frameRow->addWidget(c);
        boxes_.insert(caption, c);
    }
    content()->addWidget(frame);

    auto* bands = new QGroupBox(QStringLiteral(" Band ayarları "), this);
    auto* bandGrid = new QGridLayout(bands);
    for (size_t i = 0; i < standardBands().size(); ++i) {
        const auto it = std::find_if(def.bands.begin(), def.bands.end(), [&](const BandDef& b) {
            return b.kind == standardBands()[i];
        });
        auto* shown = new QCheckBox(QString::fromUtf8(kBandNames[i]), bands);
        shown->setChecked(it != def.bands.end());
        auto* length = new QDoubleSpinBox(bands);
        length->setRange(0, 99999);
        showLength(length, it != def.bands.end() ? it->height : toMm(40), shownUnit_);
        bandGrid->addWidget(shown, int(i) / 2, int(i) % 2 * 2);
        bandGrid->addWidget(length, int(i) / 2, int(i) % 2 * 2 + 1);
        bandShown_.push_back(shown);
        bandLengths_.push_back(length);
    }
    content()->addWidget(bands);
    for (const auto& [caption, on] :
         {std::pair{QStringLiteral("İlk sayfa başlığı yazılsın"), def.page.headerOnFirstPage},
          std::pair{QStringLiteral("Son sayfa altı yazılsın"), def.page.footerOnLastPage}}) {
        auto* c = new QCheckBox(caption, this);
        c->setChecked(on);
        content()->addWidget(c);
        boxes_.insert(caption, c);
    }
    addCommand(QStringLiteral("Tamam"), QStringLiteral("Tamam"), Qt::Key_F2, QString(),
               [this] { apply(); });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Rejected); });
}

QDoubleSpinBox* TfrmRaporAyar::length(const QString& caption) const
{
    return lengths_.value(caption);
}

QCheckBox* TfrmRaporAyar::box(const QString& caption) const
{
    return boxes_.value(caption);
}

void TfrmRaporAyar::apply()
{

    const auto mm = [&](const QString& caption) { return lengthOf(lengths_[caption], shownUnit_); };
    const QString refused = doc_.change(QStringLiteral("Rapor ayarları"), [&](ReportDef& d) {
        PageSettings& p = d.page;
        p.paper = PageSettings::Paper(paper_->currentIndex());
        p.widthMm = mm(QStringLiteral("Genişlik : "));
        p.heightMm = mm(QStringLiteral("Uzunluk : "));
        p.landscape = orientation_->checkedId() == 1;
        p.top = mm(QStringLiteral("Üst : "));
        p.bottom = mm(QStringLiteral("Alt : "));
        p.left = mm(QStringLiteral("Sol : "));
        p.right = mm(QStringLiteral("Sağ : "));
        p.columnSpacing = mm(QStringLiteral("Kolon aralığı : "));
        p.columns = columns_->value();
        p.units = kUnits[std::max(0, units_->checkedId())];
        p.frame.left = boxes_[QStringLiteral("Sol")]->isChecked();
        p.frame.right = boxes_[QStringLiteral("Sağ")]->isChecked();
        p.frame.top = boxes_[QStringLiteral("Üst")]->isChecked();
        p.frame.bottom = boxes_[QStringLiteral("Alt")]->isChecked();
        p.headerOnFirstPage = boxes_[QStringLiteral("İlk sayfa başlığı yazılsın")]->isChecked();
        p.footerOnLastPage = boxes_[QStringLiteral("Son sayfa altı yazılsın")]->isChecked();
        d.font = font_;
        d.font.setPointSize(fontSize_->value());
        if (QString fault = pageFault(p); !fault.isEmpty()) return fault;
        // The standard bands: one ticked off goes, one ticked on is made; lengths as given.
        for (size_t i = 0; i < standardBands().size(); ++i) {
            const BandKind kind = standardBands()[i];
            auto it = std::find_if(d.bands.begin(), d.bands.end(),
                                   [&](const BandDef& b) { return b.kind == kind; });
            if (!bandShown_[i]->isChecked()) {
                if (it != d.bands.end()) d.bands.erase(it);
                continue;
            }
            if (it == d.bands.end()) {
                BandDef b;
                b.kind = kind;
                b.className = QStringLiteral("TZRQRBand");
                b.name = newName(d, QStringLiteral("ZRQRBand"));
                d.bands.push_back(b);
                it = d.bands.end() - 1;
            }
            const double height = lengthOf(bandLengths_[i], shownUnit_);
            if (QString fault = bandHeightFault(d, int(it - d.bands.begin()), height);
                !fault.isEmpty())
                return fault;
            it->height = height;
        }
        // Every element still fits the page as it is now.
        for (int b = 0; b < int(d.bands.size()); ++b)
            for (int e = 0; e < int(d.bands[size_t(b)].elements.size()); ++e)
                if (QString fault =
                        geometryFault(d, {b, e}, d.bands[size_t(b)].elements[size_t(e)].rect);
                    !fault.isEmpty())
                    return fault;
        return QString();
    });
    if (!refused.isEmpty()) {
        NoticeBox(shell(), QStringLiteral("Rapor ayarları uygulanmadı"), refused, kTitle, this);
        return;
    }
    closeWindow(QDialog::Accepted);
}
