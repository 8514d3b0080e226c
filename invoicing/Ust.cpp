#include "invoicing/Ust.h"

#include "invoicing/FtSatisZ.h"
#include "invoicing/InvoiceLayout.h"
#include "invoicing/InvoicePrint.h"
#include "printing/DesignPropertyWindow.h"
#include "printing/DesignReportWindow.h"
#include "printing/DesignSizeWindow.h"
#include "printing/DesignSurface.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("Rapor dizaynı");

// The tools' pictures and what they make.
struct ToolLook {
    const char* glyph;
    const char* hint;
};
const ToolLook kLooks[ReportDesign::kToolCount] = {
    {"↖", "Seçim"},
    {"SD", "Alt detay bandı"},
    {"≡", "Satırlar bandı"},
    {"▭", "Band (rapora eksik ilk standart band)"},
    {"↳", "Üstteki bandın devamı"},
    {"G", "Grup bandı"},
    {"A", "Yazı"},
    {"[A]", "Veri dosyası alanı"},
    {"Σ", "İfade"},
    {"#", "Sistem verisi (tarih, saat, sayfa)"},
    {"¶", "Çok satırlı yazı"},
    {"{¶}", "İfadeli çok satırlı yazı"},
    {"R", "Biçimli yazı"},
    {"[R]", "Veri dosyası biçimli yazı"},
    {"○", "Şekil"},
    {"▣", "Resim"},
    {"[▣]", "Veri dosyası resmi"},
    {"▥", "Grafik"},
    {"∠", "Açılı yazı"},
    {"Yz", "Yazıyla tutar"},
    {"A↓", "Dikey yazı"},
    {"|‖|", "Barkod"},
};

QIcon toolIcon(int tool)
{
    QPixmap picture(28, 28);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("DejaVu Sans"));
    const QString glyph = QString::fromUtf8(kLooks[tool].glyph);
    font.setPixelSize(glyph.size() > 2 ? 10 : 15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(tool <= 5 && tool > 0 ? QColor(0, 90, 160) : QColor(30, 30, 30));
    painter.drawText(picture.rect(), Qt::AlignCenter, glyph);
    return QIcon(picture);
}

} // namespace

TfrmUst::TfrmUst(Shell& shell, QWidget* parent, qint64 invoiceId)
    : FormBase(shell, kTitle, parent)
    , invoiceId_(invoiceId)
{
    setObjectName(QStringLiteral("frmUst"));
    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet [F2]"), Qt::Key_F2,
               QStringLiteral("Dizaynı kaydeder ve çıkar"), [this] { save(); });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape,
               QStringLiteral("Dizaynı kaydetmeden çıkar"), [this] { cancel(); });
    addCommand(QStringLiteral("Manuel"), QStringLiteral("Manuel Fatura ve İrsaliye dizaynı"), 0,
               QStringLiteral("Hazır dizaynın ölçüleri"), [this] {
                   TfrmFtSatisZ manual(this->shell(), this);
                   manual.run();
                   closeWindow(QDialog::Rejected);
               });
    addCommand(QStringLiteral("Fatura"), QStringLiteral("Fatura dizaynı"), 0,
               QStringLiteral("Faturanın dizaynı"), [this] { open(false); });
    addCommand(QStringLiteral("Irsaliye"), QStringLiteral("İrsaliye dizaynı"), 0,
               QStringLiteral("İrsaliyenin dizaynı"), [this] { open(true); });
    addCommand(QStringLiteral("GeriAl"), QStringLiteral("Geri al [Ctrl+Z]"), 0,
               QStringLiteral("Son değişikliği geri alır"), [this] { doc_->undoStack().undo(); });
    addCommand(QStringLiteral("Yinele"), QStringLiteral("Yinele [Ctrl+Y]"), 0,
               QStringLiteral("Geri alınanı yeniden yapar"), [this] { doc_->undoStack().redo(); });
    addCommand(QStringLiteral("Izgara"), QStringLiteral("Izgara [Ctrl+G]"), 0,
               QStringLiteral("Sürüklerken 4 pixellik ızgaraya oturtma"),
               [this] { surface_->setGrid(!surface_->grid()); });

    tools_ = new QWidget(this);
    auto* row = new QHBoxLayout(tools_);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    toolGroup_ = new QButtonGroup(this);
    toolGroup_->setExclusive(true);
    for (int tool = 0; tool < ReportDesign::kToolCount; ++tool) {
        auto* button = new QToolButton(tools_);
        button->setCheckable(true);
        button->setIcon(toolIcon(tool));
        button->setIconSize(QSize(28, 28));
        button->setFocusPolicy(Qt::NoFocus);
        const ReportDesign::Tool& t = ReportDesign::tools()[size_t(tool)];
        button->setToolTip(
            t.className.isEmpty()
                ? QString::fromUtf8(kLooks[tool].hint)
                : QStringLiteral("%1 (%2)").arg(QString::fromUtf8(kLooks[tool].hint), t.className));
        toolGroup_->addButton(button, tool);
        row->addWidget(button);
    }
    row->addStretch(1);
    toolGroup_->button(0)->setChecked(true);
    connect(toolGroup_, &QButtonGroup::idClicked, this, [this](int tool) {
        if (surface_) surface_->setTool(tool);
    });
    content()->addWidget(tools_);
    auto* split = new QSplitter(this);
    scroll_ = new QScrollArea(split);
    scroll_->setBackgroundRole(QPalette::Dark);
    split->addWidget(scroll_);
    // The preview pane: the invoice at hand in the layout as it stands.
    previewPane_ = new QWidget(split);
    auto* pane = new QVBoxLayout(previewPane_);
    pane->setContentsMargins(0, 0, 0, 0);
    // The current item's place, size and name; Enter in any of them applies them as one step.
    auto* panel = new QGroupBox(QStringLiteral("Seçili öğe"), previewPane_);
    auto* grid = new QGridLayout(panel);
    const QStringList captions = {QStringLiteral("Sol : "), QStringLiteral("Üst : "),
                                  QStringLiteral("Genişlik : "), QStringLiteral("Uzunluk : "),
                                  QStringLiteral("Adı : ")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(captions[i]);
        if (i < 4)
            edit->setValidator(new QIntValidator(-99999, 99999, edit));
        else
            edit->setMaxLength(ReportDesign::kNameLimit);
        grid->addWidget(new QLabel(captions[i], panel), i / 2, i % 2 * 2, Qt::AlignRight);
        grid->addWidget(edit, i / 2, i % 2 * 2 + 1);
        connect(edit, &QLineEdit::returnPressed, this, &TfrmUst::applyPanel);
        panel_.push_back(edit);
    }
    auto* pageButton = new QPushButton(QStringLiteral("Özellikleri"), panel);
    pageButton->setFocusPolicy(Qt::NoFocus);
    connect(pageButton, &QPushButton::clicked, this, [this] {
        if (!doc_) return;
        const ReportDesign::Item current = doc_->current();
        menuItem_ =
            !current.valid() ? QString()
            : current.isBand()
                ? doc_->def().bands[size_t(current.band)].name
                : doc_->def().bands[size_t(current.band)].elements[size_t(current.element)].name;
        properties();
    });
    grid->addWidget(pageButton, 2, 3);
    pane->addWidget(panel);
    auto* paging = new QHBoxLayout;
    auto* back = new QPushButton(QStringLiteral("◀"), previewPane_);
    auto* next = new QPushButton(QStringLiteral("▶"), previewPane_);
    for (QPushButton* b : {back, next}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedWidth(36);
    }
    previewStatus_ = new QLabel(previewPane_);
    paging->addWidget(back);
    paging->addWidget(previewStatus_, 1, Qt::AlignCenter);
    paging->addWidget(next);
    pane->addLayout(paging);
    auto* pictureScroll = new QScrollArea(previewPane_);
    pictureScroll->setBackgroundRole(QPalette::Dark);
    previewPicture_ = new QLabel;
    pictureScroll->setWidget(previewPicture_);
    pictureScroll->setWidgetResizable(false);
    pane->addWidget(pictureScroll, 1);
    connect(back, &QPushButton::clicked, this, [this] { showPreviewPage(previewPage_ - 1); });
    connect(next, &QPushButton::clicked, this, [this] { showPreviewPage(previewPage_ + 1); });
    split->addWidget(previewPane_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    for (QWidget* part :
         {static_cast<QWidget*>(back), static_cast<QWidget*>(next),
          static_cast<QWidget*>(previewStatus_), static_cast<QWidget*>(pictureScroll)})
        part->setVisible(invoiceId_ > 0);
    content()->addWidget(split, 1);
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(150);
    connect(previewTimer_, &QTimer::timeout, this, &TfrmUst::refreshPreview);

    menu_ = new QMenu(this);
    menu_->addAction(QStringLiteral("Özellikleri"), this, [this] { properties(); });
    menu_->addAction(QStringLiteral("Ebatlar ve tanımlama"), this, [this] { sizes(); });
    menu_->addAction(QStringLiteral("Arkaya gönder"), this, [this] { reorder(false); });
    menu_->addAction(QStringLiteral("Öne getir"), this, [this] { reorder(true); });
    menu_->addAction(QStringLiteral("Sil"), this, [this] { removeCurrent(); });

    tools_->hide();
    split->hide();
    split_ = split;
    updateCommands();
    // A full-width window at the top of the screen; while choosing, no taller than its buttons.
    const QRect screen = this->screen()->availableGeometry();
    setGeometry(screen.left(), screen.top(), screen.width(), minimumSizeHint().height());
}

TfrmUst::~TfrmUst() = default;

QAbstractButton* TfrmUst::toolButton(int tool) const
{
    return toolGroup_->button(tool);
}

void TfrmUst::updateCommands()
{
    const bool designing = kind_ >= 0;
    for (const char* choice : {"Manuel", "Fatura", "Irsaliye"})
        if (QPushButton* b = commandButton(QLatin1String(choice))) b->setVisible(!designing);
    for (const char* edit : {"GeriAl", "Yinele", "Izgara"})
        if (QPushButton* b = commandButton(QLatin1String(edit))) b->setVisible(designing);
    setCommandEnabled(QStringLiteral("Kaydet"), designing);
    setCommandEnabled(QStringLiteral("GeriAl"), designing && doc_->undoStack().canUndo());
    setCommandEnabled(QStringLiteral("Yinele"), designing && doc_->undoStack().canRedo());
}

void TfrmUst::open(bool irsaliye)
{
    CompanyData& company = *shell().company;
    QString notice;
    ReportDef def =
        InvoicePrint::installedLayout(company, shell().global->fatPlan(), irsaliye, &notice);
    if (!notice.isEmpty()) {
        fileUnreadable_ = true;
        NoticeBox(shell(), QStringLiteral("Dizayn dosyası okunamadı"), notice, kTitle, this);
    }
    doc_ = std::make_unique<DesignDocument>(std::move(def));
    kind_ = irsaliye ? 1 : 0;
    surface_ = new DesignSurface(*doc_);
    scroll_->setWidget(surface_);
    connect(surface_, &DesignSurface::toolUsed, this,
            [this] { toolGroup_->button(0)->setChecked(true); });
    connect(surface_, &DesignSurface::contextMenuAt, this, &TfrmUst::showItemMenu);
    connect(surface_, &DesignSurface::deleteRequested, this, &TfrmUst::removeCurrent);
    connect(&doc_->undoStack(), &QUndoStack::indexChanged, this, [this] { updateCommands(); });
    connect(doc_.get(), &DesignDocument::changed, this, &TfrmUst::fillPanel);
    connect(doc_.get(), &DesignDocument::selectionChanged, this, &TfrmUst::fillPanel);
    fillPanel();
    toolGroup_->button(0)->setChecked(true);
    tools_->show();
    split_->show();
    connect(doc_.get(), &DesignDocument::changed, previewTimer_, qOverload<>(&QTimer::start));
    previewTimer_->start(); // the surface paints first; the preview follows

    setWindowTitle(kTitle +
                   (irsaliye ? QStringLiteral(" - İrsaliye") : QStringLiteral(" - Fatura")));
    setGeometry(screen()->availableGeometry());
    if (auto* split = qobject_cast<QSplitter*>(split_); split && invoiceId_ > 0)
        split->setSizes({width() * 55 / 100, width() * 45 / 100});
    updateCommands();
    surface_->setFocus();
}

void TfrmUst::fillPanel()
{
    const ReportDesign::Item current = doc_ ? doc_->current() : ReportDesign::Item();
    const ReportDef* def = doc_ ? &doc_->def() : nullptr;
    for (int i = 0; i < int(panel_.size()); ++i) {
        QLineEdit* edit = panel_[size_t(i)];
        const bool shown = current.valid() && (!current.isBand() || i >= 3);
        edit->setEnabled(shown);
        if (!shown) {
            edit->clear();
            continue;
        }
        if (i == 4) {
            edit->setText(
                current.isBand()
                    ? def->bands[size_t(current.band)].name
                    : def->bands[size_t(current.band)].elements[size_t(current.element)].name);
            continue;
        }
        const QRectF r =
            current.isBand()
                ? QRectF(0, 0, 0, def->bands[size_t(current.band)].height)
                : def->bands[size_t(current.band)].elements[size_t(current.element)].rect;
        const double values[4] = {r.x(), r.y(), r.width(), r.height()};
        edit->setText(QString::number(std::lround(ReportDesign::toPixels(values[i]))));
    }
}

void TfrmUst::applyPanel()
{
    const ReportDesign::Item current = doc_ ? doc_->current() : ReportDesign::Item();
    if (!current.valid()) return;
    std::array<double, 4> pixels{};
    for (int i = 0; i < 4; ++i)
        pixels[size_t(i)] = panel_[size_t(i)]->text().toDouble();
    const QString name = panel_[4]->text().trimmed();
    QString nameRefused;
    const QString refused = doc_->change(QStringLiteral("Ebatlar"), [&](ReportDef& d) {
        return ReportDesign::applySizes(d, current, pixels, name, &nameRefused);
    });
    if (!refused.isEmpty()) {
        NoticeBox(shell(), QStringLiteral("Ölçüler uygulanmadı"), refused, kTitle, this);
        fillPanel();
        return;
    }
    if (!nameRefused.isEmpty()) {
        NoticeBox(shell(), QStringLiteral("Ad değiştirilmedi"), nameRefused, kTitle, this);
    } else if (const ReportDesign::Item renamed = ReportDesign::find(doc_->def(), name);
               renamed.valid()) {
        doc_->select({name});
    }
    fillPanel();
}

void TfrmUst::refreshPreview()
{
    previewTimer_->stop();
    if (invoiceId_ <= 0 || !doc_) return;
    try {
        RunningReport running = InvoicePrint::startWith(*shell().company, invoiceId_, doc_->def());
        preview_ = running.renderer->render();
    } catch (const AppError& e) {
        preview_ = PageSet();
        previewPicture_->setPixmap(QPixmap());
        previewStatus_->setText(e.message());
        return;
    }
    showPreviewPage(std::min(previewPage_, std::max(0, preview_.pageCount() - 1)));
}

void TfrmUst::showPreviewPage(int page)
{
    if (page < 0 || page >= preview_.pageCount()) return;
    previewPage_ = page;
    // At 72 dots to the inch: the whole width of a page beside the surface.
    const QSizeF size = preview_.page(page)->size;
    constexpr double dpi = 72;
    QImage image(QSize(int(size.width() / 25.4 * dpi), int(size.height() / 25.4 * dpi)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    preview_.paint(page, painter);
    painter.end();
    previewPicture_->setPixmap(QPixmap::fromImage(image));
    previewPicture_->resize(image.size());
    previewStatus_->setText(
        QStringLiteral("Sayfa %1 / %2").arg(page + 1).arg(preview_.pageCount()));
}

void TfrmUst::save()
{
    if (kind_ < 0) return;
    const QString path = InvoicePrint::layoutPath(*shell().company, kind_ == 1);
    if (fileUnreadable_ &&
        ConfirmBox(shell(), QStringLiteral("Okunamayan dizayn dosyasının üzerine"),
                   QStringLiteral("yazılsın mı ?"), kTitle, this) != 1)
        return;
    try {
        writeInvoiceLayoutFile(path, doc_->def());
    } catch (const AppError& e) {
        NoticeBox(shell(), e.message(), e.detail(), kTitle, this);
        return;
    }
    doc_->setSaved();
    closeWindow(QDialog::Accepted);
}

void TfrmUst::cancel()
{
    if (surface_ && surface_->cancelDrag()) return; // Esc in a drag ends the drag only
    if (doc_ && doc_->modified() &&
        ConfirmBox(shell(), QStringLiteral("Dizayn değişiklikleri kaydedilmeyecek"),
                   QStringLiteral("emin misiniz ?"), kTitle, this) != 1)
        return;
    closeWindow(QDialog::Rejected);
}

bool TfrmUst::FormKeyDown(QKeyEvent* event)
{
    if (kind_ >= 0 && event->modifiers() == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_Z:
            MenuIslem(QStringLiteral("GeriAl"));
            return true;
        case Qt::Key_Y:
            MenuIslem(QStringLiteral("Yinele"));
            return true;
        case Qt::Key_G:
            MenuIslem(QStringLiteral("Izgara"));
            return true;
        default:
            break;
        }
    }
    return FormBase::FormKeyDown(event);
}

void TfrmUst::showItemMenu(const QString& item, QPoint at)
{
    menuItem_ = item;
    const bool element = !item.isEmpty() && !ReportDesign::find(doc_->def(), item).isBand();
    const QList<QAction*> actions = menu_->actions();
    actions[1]->setEnabled(!item.isEmpty());
    actions[2]->setEnabled(element);
    actions[3]->setEnabled(element);
    actions[4]->setEnabled(!item.isEmpty());
    menu_->popup(at);
}

void TfrmUst::properties()
{
    if (menuItem_.isEmpty()) { // the report itself
        TfrmRaporAyar settings(shell(), *doc_, this);
        settings.run();
        return;
    }
    // Bands, charts, amounts in words, vertical labels and barcodes have no page.
    if (!TfrmOzellik::hasPage(*doc_, menuItem_)) return;
    TfrmOzellik window(shell(), *doc_, menuItem_, this);
    window.run();
}

void TfrmUst::sizes()
{
    if (menuItem_.isEmpty()) return;
    TfrmEbat window(shell(), *doc_, menuItem_, this);
    window.run();
}

void TfrmUst::removeCurrent()
{
    if (!doc_) return;
    const QStringList names =
        surface_ && !doc_->selection().isEmpty() ? doc_->selection() : QStringList{menuItem_};
    doc_->change(QStringLiteral("Sil"), [&](ReportDef& d) {
        for (const QString& name : names)
            ReportDesign::remove(d, ReportDesign::find(d, name));
        return QString();
    });
}

void TfrmUst::reorder(bool front)
{
    doc_->change(front ? QStringLiteral("Öne getir") : QStringLiteral("Arkaya gönder"),
                 [&](ReportDef& d) {
                     const ReportDesign::Item item = ReportDesign::find(d, menuItem_);
                     if (front)
                         ReportDesign::toFront(d, item);
                     else
                         ReportDesign::toBack(d, item);
                     return QString();
                 });
}
