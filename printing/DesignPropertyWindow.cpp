#include "printing/DesignPropertyWindow.h"

#include "printing/ReportExpression.h"
#include "store/AppError.h"
#include "store/CompanySchema.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <cmath>

using namespace ReportDesign;

namespace {

const QString kTitle = QStringLiteral("Rapor dizaynı");

bool textual(ElementKind k)
{
    return k == ElementKind::Label || k == ElementKind::DBText || k == ElementKind::Expr ||
           k == ElementKind::SysData || k == ElementKind::Memo || k == ElementKind::ExprMemo;
}

// The tables of the company's books as the designer lists them (tblFatura …).
QStringList tableNames()
{
    QStringList names;
    for (const TableDef& t : companyTableDefs())
        names << QStringLiteral("tbl") + t.name;
    return names;
}

} // namespace

bool TfrmOzellik::hasPage(const DesignDocument& document, const QString& item)
{
    const Item at = ReportDesign::find(document.def(), item);
    if (!at.valid() || at.isBand()) return false;
    const ElementDef& e = document.def().bands[size_t(at.band)].elements[size_t(at.element)];
    if (e.className == QLatin1String("TZRZemrakQRLabel") ||
        e.className == QLatin1String("TZemrakQRLabel"))
        return false;
    return e.kind != ElementKind::Chart && e.kind != ElementKind::AmountInWords &&
           e.kind != ElementKind::Barcode;
}

TfrmOzellik::TfrmOzellik(Shell& shell, DesignDocument& document, const QString& element,
                         QWidget* parent)
    : FormBase(shell, element + QStringLiteral(" - Özellikleri"), parent, false)
    , doc_(document)
    , name_(element)
{
    setObjectName(QStringLiteral("frmOzellik"));
    const Item at = ReportDesign::find(doc_.def(), element);
    e_ = doc_.def().bands[size_t(at.band)].elements[size_t(at.element)];
    chooseColor = [this](const QColor& c) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(c, this);
        return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
    };
    chooseFont = [this](const QFont& f) -> std::optional<QFont> {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, f, this);
        return ok ? std::optional<QFont>(chosen) : std::nullopt;
    };
    choosePictureFile = [this] {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Resim"), QString(),
                                            QStringLiteral("Resim dosyaları (*.jpeg *.jpg *.bmp "
                                                           "*.ico *.gif *.png)"));
    };
    clipboardPicture = [] { return QApplication::clipboard()->image(); };
    addCommand(QStringLiteral("Tamam"), QStringLiteral("Tamam"), Qt::Key_F2, QString(),
               [this] { apply(); });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Rejected); });
    build();
}

QWidget* TfrmOzellik::editor(const QString& caption) const
{
    return editors_.value(caption);
}

QButtonGroup* TfrmOzellik::choice(const QString& title) const
{
    return choices_.value(title);
}

QCheckBox* TfrmOzellik::check(const QString& caption, bool on)
{
    auto* box = new QCheckBox(caption, this);
    box->setChecked(on);
    content()->addWidget(box);
    editors_.insert(caption, box);
    return box;
}

QButtonGroup* TfrmOzellik::radios(const QString& title, const QStringList& list, int chosen)
{
    QButtonGroup* group = addRadioGroup(title, list, std::max(0, chosen));
    choices_.insert(title.trimmed(), group);
    return group;
}

void TfrmOzellik::button(const QString& caption, std::function<void()> action)
{
    auto* b = new QPushButton(caption, this);
    connect(b, &QPushButton::clicked, this, std::move(action));
    content()->addWidget(b);
    editors_.insert(caption, b);
}

void TfrmOzellik::frames()
{
    auto* box = new QGroupBox(QStringLiteral(" Kenarlıklar "), this);
    auto* row = new QHBoxLayout(box);
    const std::pair<QString, bool*> sides[] = {{QStringLiteral("Sol"), &e_.frame.left},
                                               {QStringLiteral("Sağ"), &e_.frame.right},
                                               {QStringLiteral("Üst"), &e_.frame.top},
                                               {QStringLiteral("Alt"), &e_.frame.bottom}};
    for (const auto& [caption, side] : sides) {
        auto* c = new QCheckBox(caption, box);
        c->setChecked(*side);
        row->addWidget(c);
        editors_.insert(caption, c);
    }
    row->addWidget(new QLabel(QStringLiteral("Kenarlık kalınlığı"), box));
    auto* width = new QSpinBox(box);
    width->setRange(1, 20);
    width->setValue(std::max(1, int(std::lround(toPixels(e_.frame.width)))));
    row->addWidget(width);
    editors_.insert(QStringLiteral("Kenarlık kalınlığı"), width);
    auto* color = new QPushButton(QStringLiteral("&Kenarlık rengi"), box);
    connect(color, &QPushButton::clicked, this, [this] {
        if (const auto c = chooseColor(e_.frame.color)) e_.frame.color = *c;
    });
    row->addWidget(color);
    editors_.insert(QStringLiteral("&Kenarlık rengi"), color);
    content()->addWidget(box);
}

void TfrmOzellik::tableAndField()
{
    auto* form = new QFormLayout;
    table_ = new QComboBox(this);
    table_->addItem(QString());
    table_->addItems(tableNames());
    field_ = new QComboBox(this);
    form->addRow(QStringLiteral("Veri dosyası : "), table_);
    form->addRow(QStringLiteral("Alanı : "), field_);
    content()->addLayout(form);
    editors_.insert(QStringLiteral("Veri dosyası : "), table_);
    editors_.insert(QStringLiteral("Alanı : "), field_);
    const auto refill = [this] {
        field_->clear();
        field_->addItem(QString());
        const TableDef* t =
            findTableDef(companyTableDefs(), table_->currentText().mid(3)); // after "tbl"
        if (t)
            for (const FieldDef& f : t->fields)
                field_->addItem(f.name);
    };
    connect(table_, &QComboBox::currentIndexChanged, this, refill);
    // "Table.Field", or a field of the report's own table; a table or field that is gone
    // leaves the choice blank.
    const QString table =
        e_.field.contains(QLatin1Char('.')) ? e_.field.section('.', 0, 0) : QString();
    const QString field = e_.field.section('.', -1);
    const int t = table_->findText(QStringLiteral("tbl") + table);
    table_->setCurrentIndex(table.isEmpty() || t < 0 ? 0 : t);
    refill();
    const int f = field_->findText(field);
    field_->setCurrentIndex(f < 0 ? 0 : f);
    if (table.isEmpty() && f < 0 && !field.isEmpty()) {
        // A field of the report's own table: kept as it is.
        field_->addItem(field);
        field_->setCurrentIndex(field_->count() - 1);
    }
}

void TfrmOzellik::build()
{
    const ElementKind k = e_.kind;
    const bool rich = k == ElementKind::RichText || k == ElementKind::DBRichText;
    const bool picture = k == ElementKind::Image || k == ElementKind::DBImage;
    const bool shape = k == ElementKind::Shape;
    if (textual(k) || k == ElementKind::AngledLabel || rich) {
        button(QStringLiteral("&Renk"), [this] {
            if (const auto c = chooseColor(e_.color)) e_.color = *c;
        });
    }
    if (textual(k) || k == ElementKind::AngledLabel)
        button(QStringLiteral("&Font"), [this] {
            if (const auto f = chooseFont(e_.font)) e_.font = *f;
        });
    // The text: one line, several lines, or the expression.
    if (k == ElementKind::Memo || k == ElementKind::ExprMemo || k == ElementKind::RichText) {
        auto* text = new QPlainTextEdit(e_.text, this);
        content()->addWidget(text);
        editors_.insert(QStringLiteral("Yazı : "), text);
    } else if (k == ElementKind::Label || k == ElementKind::SysData ||
               k == ElementKind::AngledLabel || k == ElementKind::Expr) {
        const QString caption =
            k == ElementKind::Expr ? QStringLiteral("Expr :") : QStringLiteral("Yazı : ");
        auto* form = new QFormLayout;
        auto* line = new QLineEdit(k == ElementKind::Expr ? e_.expression : e_.text, this);
        form->addRow(caption, line);
        content()->addLayout(form);
        editors_.insert(caption, line);
    }
    if (k == ElementKind::AngledLabel) {
        auto* form = new QFormLayout;
        auto* angle = new QSpinBox(this);
        angle->setRange(-360, 360);
        angle->setValue(int(std::lround(e_.angle)));
        form->addRow(QStringLiteral("Açı : "), angle);
        content()->addLayout(form);
        editors_.insert(QStringLiteral("Açı : "), angle);
    }
    if (k == ElementKind::DBText || k == ElementKind::DBRichText || k == ElementKind::DBImage)
        tableAndField();
    if (k == ElementKind::DBText || k == ElementKind::Expr)
        radios(QStringLiteral(" Noktadan sonraki ondalık sayı adedi"), decimalChoices(),
               decimalsOfMask(e_.mask));
    if (k == ElementKind::SysData)
        radios(QStringLiteral(" Sistem verisi özelliği "),
               {QStringLiteral("Tarih"), QStringLiteral("Saat"), QStringLiteral("Tarih+Saat"),
                QStringLiteral("Sayfa nosu")},
               int(e_.sysData));
    if (shape) {
        auto* form = new QFormLayout;
        auto* pen = new QSpinBox(this);
        pen->setRange(1, 20);
        pen->setValue(std::max(1, int(std::lround(toPixels(e_.frame.width)))));
        form->addRow(QStringLiteral("Kalem kalınlığı"), pen);
        content()->addLayout(form);
        editors_.insert(QStringLiteral("Kalem kalınlığı"), pen);
        button(QStringLiteral("&Kalem rengi"), [this] {
            if (const auto c = chooseColor(e_.color)) e_.color = *c;
        });
        button(QStringLiteral("&Fırça rengi"), [this] {
            if (const auto c = chooseColor(e_.background)) {
                e_.background = *c;
                e_.transparent = false;
            }
        });
        radios(QStringLiteral(" Kalıp tipi "),
               {QStringLiteral("Daire"), QStringLiteral("Dikdörtgen"),
                QStringLiteral("Yatay çizgi"), QStringLiteral("Dikey çizgi"),
                QStringLiteral("Sol ve Sağ"), QStringLiteral("Üst ve Alt")},
               e_.shape == ShapeKind::Circle      ? 0
               : e_.shape == ShapeKind::Rectangle ? 1
                                                  : int(e_.shape));
    }
    if (k == ElementKind::Image) {
        button(QStringLiteral("Dosyadan yükle"), [this] {
            const QString path = choosePictureFile();
            if (path.isEmpty()) return;
            QImage image(path);
            if (image.isNull()) {
                NoticeBox(shell(), QStringLiteral("Resim okunamadı"), path, kTitle, this);
                return;
            }
            QBuffer png(&e_.picture);
            e_.picture.clear();
            png.open(QIODevice::WriteOnly);
            image.save(&png, "PNG");
        });
        button(QStringLiteral("Panodan yapıştır"), [this] {
            const QImage image = clipboardPicture();
            if (image.isNull()) {
                NoticeBox(shell(), QStringLiteral("Panoda resim yok"), QString(), kTitle, this);
                return;
            }
            e_.picture.clear();
            QBuffer png(&e_.picture);
            png.open(QIODevice::WriteOnly);
            image.save(&png, "PNG");
        });
    }
    if (textual(k) || k == ElementKind::AngledLabel || k == ElementKind::Image)
        check(QStringLiteral("Oto.ebatlandırma"), e_.autoSize);
    if (picture) {
        check(QStringLiteral("Ortala"), e_.pictureCenter);
        check(QStringLiteral("Sığdır"), e_.pictureStretch);
    }
    if (textual(k) || rich)
        radios(
            QStringLiteral(" Yaslama "),
            {QStringLiteral("Sola yasla"), QStringLiteral("Sağa yasla"), QStringLiteral("Ortala")},
            e_.alignment & Qt::AlignRight     ? 1
            : e_.alignment & Qt::AlignHCenter ? 2
                                              : 0);
    frames();
    if (textual(k) || k == ElementKind::AngledLabel)
        check(QStringLiteral("Transparan"), e_.transparent);
    if (textual(k) && k != ElementKind::SysData) check(QStringLiteral("Satır atlat"), e_.wordWrap);
    check(QStringLiteral("Raporda göster"), e_.enabled);
    if (textual(k)) check(QStringLiteral("Banda hizala"), e_.alignToBand);
    content()->addStretch(1);
}

void TfrmOzellik::apply()
{
    ElementDef e = e_;
    const auto checked = [&](const QString& caption, bool fallback) {
        const auto* box = qobject_cast<QCheckBox*>(editor(caption));
        return box ? box->isChecked() : fallback;
    };
    if (auto* line = qobject_cast<QLineEdit*>(editor(QStringLiteral("Expr :")))) {
        try {
            ReportExpression::parse(line->text());
        } catch (const AppError& error) {
            NoticeBox(shell(), QStringLiteral("İfade hatalı: %1").arg(line->text()),
                      error.message(), kTitle, this);
            return;
        }
        e.expression = line->text();
    }
    if (auto* line = qobject_cast<QLineEdit*>(editor(QStringLiteral("Yazı : "))))
        e.text = line->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(editor(QStringLiteral("Yazı : ")))) {
        e.text = text->toPlainText();
        if (e.kind == ElementKind::ExprMemo)
            if (const QString fault = memoFault(e.text); !fault.isEmpty()) {
                NoticeBox(shell(), QStringLiteral("İfade hatalı"), fault, kTitle, this);
                return;
            }
    }
    if (auto* angle = qobject_cast<QSpinBox*>(editor(QStringLiteral("Açı : "))))
        e.angle = angle->value();
    if (field_) {
        const QString table = table_->currentText().mid(3), field = field_->currentText();
        e.field = field.isEmpty()   ? QString()
                  : table.isEmpty() ? field
                                    : table + QLatin1Char('.') + field;
    }
    if (QButtonGroup* g = choice(QStringLiteral("Noktadan sonraki ondalık sayı adedi")))
        e.mask = maskOfDecimals(g->checkedId());
    if (QButtonGroup* g = choice(QStringLiteral("Sistem verisi özelliği")))
        e.sysData = SysDataKind(g->checkedId());
    if (QButtonGroup* g = choice(QStringLiteral("Kalıp tipi"))) {
        const int id = g->checkedId();
        e.shape = id == 0 ? ShapeKind::Circle : id == 1 ? ShapeKind::Rectangle : ShapeKind(id);
    }
    if (auto* pen = qobject_cast<QSpinBox*>(editor(QStringLiteral("Kalem kalınlığı"))))
        e.frame.width = toMm(pen->value());
    if (QButtonGroup* g = choice(QStringLiteral("Yaslama"))) {
        const int id = g->checkedId();
        e.alignment = id == 1 ? int(Qt::AlignRight) : id == 2 ? int(Qt::AlignHCenter) : 0;
    }
    e.frame.left = checked(QStringLiteral("Sol"), e.frame.left);
    e.frame.right = checked(QStringLiteral("Sağ"), e.frame.right);
    e.frame.top = checked(QStringLiteral("Üst"), e.frame.top);
    e.frame.bottom = checked(QStringLiteral("Alt"), e.frame.bottom);
    if (e.kind != ElementKind::Shape)
        if (auto* width = qobject_cast<QSpinBox*>(editor(QStringLiteral("Kenarlık kalınlığı"))))
            e.frame.width = toMm(width->value());
    e.autoSize = checked(QStringLiteral("Oto.ebatlandırma"), e.autoSize);
    e.pictureCenter = checked(QStringLiteral("Ortala"), e.pictureCenter);
    e.pictureStretch = checked(QStringLiteral("Sığdır"), e.pictureStretch);
    e.transparent = checked(QStringLiteral("Transparan"), e.transparent);
    e.wordWrap = checked(QStringLiteral("Satır atlat"), e.wordWrap);
    e.enabled = checked(QStringLiteral("Raporda göster"), e.enabled);
    e.alignToBand = checked(QStringLiteral("Banda hizala"), e.alignToBand);
    const QString refused = doc_.change(QStringLiteral("Özellikler"), [&](ReportDef& d) {
        const Item at = ReportDesign::find(d, name_);
        if (!at.valid()) return QStringLiteral("%1 artık yok.").arg(name_);
        d.bands[size_t(at.band)].elements[size_t(at.element)] = e;
        return QString();
    });
    if (!refused.isEmpty()) {
        NoticeBox(shell(), refused, QString(), kTitle, this);
        return;
    }
    closeWindow(QDialog::Accepted);
}
