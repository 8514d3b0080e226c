#include "printing/OnIzle.h"

#include "app/Background.h"

#include "printing/Exports.h"
#include "printing/OnIzleDos.h"
#include "printing/ReportRenderer.h"
#include "printing/TextPrint.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kScrollStep = 20;
constexpr int kPagesPerStep = 4;
} // namespace

TfrmOnIzle::TfrmOnIzle(Shell& shell, PageSet pages, QWidget* parent)
    : FormBase(shell, QStringLiteral("RAPOR DÜZENLE"), parent, false)
    , own_(std::move(pages))
{
    own_.finished = true;
    build();
    QTimer::singleShot(0, this, &TfrmOnIzle::tellWarnings);
}

TfrmOnIzle::TfrmOnIzle(Shell& shell, ReportRenderer& renderer, QWidget* parent)
    : FormBase(shell, QStringLiteral("RAPOR DÜZENLE"), parent, false)
    , renderer_(&renderer)
{
    build();
    renderer_->start();
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &TfrmOnIzle::produce);
    timer_->start(0);
}

TfrmOnIzle::~TfrmOnIzle() = default;

const PageSet& TfrmOnIzle::pages() const
{
    return renderer_ ? renderer_->pages() : own_;
}
bool TfrmOnIzle::finished() const
{
    return renderer_ ? renderer_->done() && renderer_->pages().finished : own_.finished;
}

int TfrmOnIzle::pageCount() const
{
    // While pages are being made, the last one is not finished yet.
    const int count = pages().pageCount();
    return renderer_ && !renderer_->done() ? std::max(0, count - 1) : count;
}

void TfrmOnIzle::build()
{
    setObjectName(QStringLiteral("frmOnIzle"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    chooseFile = [this](const QString& filter, const QString&) {
        return QFileDialog::getSaveFileName(this, windowTitle(), QString(), filter);
    };
    const auto command = [this](const char* id, const char* caption, int key, const QString& hint,
                                std::function<void()> action) {
        addCommand(QLatin1String(id), QString::fromUtf8(caption), key, hint, std::move(action));
    };
    command("Sigdir", "F2", Qt::Key_F2, QStringLiteral("Rapor kağıdını ekrana sığdır"),
            [this] { setZoom(Zoom::FitPage); });
    command("Orjinal", "F3", Qt::Key_F3, QStringLiteral("Raporu orjinal boyunda göster"),
            [this] { setZoom(Zoom::Original); });
    command("Genislik", "F4", Qt::Key_F4, QStringLiteral("Raporu sayfa genişliğince göster"),
            [this] { setZoom(Zoom::PageWidth); });
    command("Ilk", "Home", Qt::Key_Home, QStringLiteral("İlk sayfa"), [this] { goToPage(0); });
    command("Onceki", "PgUp", Qt::Key_PageUp, QStringLiteral("Önceki sayfa"),
            [this] { goToPage(page_ - 1); });
    command("Sonraki", "PgDn", Qt::Key_PageDown, QStringLiteral("Sonraki sayfa"),
            [this] { goToPage(page_ + 1); });
    command("Son", "End", Qt::Key_End, QStringLiteral("Son sayfa"),
            [this] { goToPage(pageCount() - 1); });
    command("Dos", "F5", Qt::Key_F5,
            QStringLiteral("Raporu dos yazıcısından yazdırır\n(Alt + F5 dos yazıcı ayarı [font "
                           "boyu,\nport, sayfa uzunluğu] yapıldıktan sonra yazdırır)"),
            [this] { printText(); });
    command("DosAyar", "Alt+F5", 0, QString(), [this] {
        TfrmOnIzleDos settings(shell(), this);
        if (settings.exec() == QDialog::Accepted) printText();
    });
    command("Excel", "F6", Qt::Key_F6, QStringLiteral("Raporu excel dosyasına çevirir"),
            [this] { runExport(QStringLiteral("Excel dosyası (*.xls)"), QStringLiteral("xls")); });
    command("Pdf", "PDF [Alt+F6]", 0, QStringLiteral("Raporu pdf dosyasına çevirir"),
            [this] { runExport(QStringLiteral("PDF dosyası (*.pdf)"), QStringLiteral("pdf")); });
    command("Text", "F7", Qt::Key_F7, QStringLiteral("Raporu text dosyasına çevirir"),
            [this] { runExport(QStringLiteral("Text dosyası (*.txt)"), QStringLiteral("txt")); });
    command(
        "Jpeg", "F8", Qt::Key_F8,
        QStringLiteral(
            "Raporun sayfalarını jpeg dosyaları\nolarak saklar. (Örneğin ismini deneme "
            "verdiniz,\n1. sayfası Deneme1.jpg 2. sayfası Deneme2.jpg...\nolarak saklanacaktır"),
        [this] { runExport(QStringLiteral("Jpeg dosyası (*.jpg)"), QStringLiteral("jpg")); });
    command("Sakla", "F11", Qt::Key_F11, QStringLiteral("Raporu saklar"),
            [this] { runExport(QStringLiteral("Rapor dosyası (*.qrp)"), QStringLiteral("qrp")); });
    command("Cikis", "Esc", Qt::Key_Escape, QStringLiteral("Rapor ön izlemesinden çıkış"), [this] {
        if (renderer_ && !renderer_->done()) renderer_->cancel();
        closeWindow(QDialog::Accepted);
    });
    // Sixteen key buttons share the width of the screen, each at least as wide as its caption.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 12);
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new QLabel(scroll_);
    view_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(view_);
    scroll_->setWidgetResizable(false);
    content()->addWidget(scroll_, 1);
    if (QScreen* screen = QApplication::primaryScreen()) resize(screen->availableSize());
    showPage();
    updateCommands();
}

void TfrmOnIzle::produce()
{
    if (!renderer_) return;
    const int before = pageCount();
    if (renderer_->step(kPagesPerStep)) timer_->stop();
    if (before == 0 && pageCount() > 0) showPage();
    if (finished()) QTimer::singleShot(0, this, &TfrmOnIzle::tellWarnings);
    setStatusText(0, QStringLiteral("Sayfa : %1 - %2%3")
                         .arg(pageCount() ? page_ + 1 : 0)
                         .arg(pageCount())
                         .arg(finished() || (renderer_ && renderer_->done())
                                  ? QString()
                                  : QStringLiteral("   (hazırlanıyor, Esc: vazgeç)")));
    updateCommands();
}

void TfrmOnIzle::tellWarnings()
{
    const QStringList& warnings = pages().warnings;
    if (warned_ || warnings.isEmpty()) return;
    warned_ = true;
    constexpr int kShown = 12;
    QString list = warnings.mid(0, kShown).join(QLatin1Char('\n'));
    if (warnings.size() > kShown)
        list += QStringLiteral("\n... ve %1 kod daha").arg(warnings.size() - kShown);
    NoticeBox(shell(), QStringLiteral("Bu kodların barkodu basılamadı:"), list, windowTitle(),
              this);
}

void TfrmOnIzle::updateCommands()
{
    const bool ready = finished() && !exporting_;
    for (const char* id : {"Excel", "Pdf", "Text", "Jpeg", "Sakla", "Dos", "DosAyar"})
        setCommandEnabled(QLatin1String(id), ready);
    setCommandEnabled(QStringLiteral("Cikis"), !exporting_);
}

void TfrmOnIzle::goToPage(int page)
{
    if (page < 0 || page >= pageCount())
        return; // PgUp on the first page, PgDn on the last: no change
    page_ = page;
    showPage();
}

void TfrmOnIzle::setZoom(Zoom zoom)
{
    zoom_ = zoom;
    showPage();
}

void TfrmOnIzle::resizeEvent(QResizeEvent* event)
{
    FormBase::resizeEvent(event);
    // The page view gets its size when the layout has run.
    if (zoom_ != Zoom::Original) QTimer::singleShot(0, this, [this] { showPage(); });
}

void TfrmOnIzle::showPage()
{
    if (pageCount() == 0) {
        view_->setText(QStringLiteral("Sayfa hazırlanıyor..."));
        view_->adjustSize();
        setStatusText(0, QStringLiteral("Sayfa : 0 - 0"));
        return;
    }
    const QSizeF mm = pages().pageSize(page_);
    // Room for the page beside the vertical scroll bar, which a long page brings.
    const QSize area = scroll_->viewport()->size() -
                       QSize(8 + scroll_->verticalScrollBar()->sizeHint().width(), 8);
    const double screenDpi = logicalDpiX();
    double dpi = screenDpi;
    if (zoom_ == Zoom::PageWidth)
        dpi = area.width() / (mm.width() / 25.4);
    else if (zoom_ == Zoom::FitPage)
        dpi = std::min(area.width() / (mm.width() / 25.4), area.height() / (mm.height() / 25.4));
    dpi = std::clamp(dpi, 20.0, 600.0);
    view_->setPixmap(QPixmap::fromImage(pages().pageImage(page_, dpi)));
    view_->adjustSize();
    setStatusText(0, QStringLiteral("Sayfa : %1 - %2").arg(page_ + 1).arg(pageCount()));
}

bool TfrmOnIzle::FormKeyDown(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::AltModifier) {
        if (key == Qt::Key_F6)
            MenuIslem(QStringLiteral("Pdf"));
        else if (key == Qt::Key_F5)
            MenuIslem(QStringLiteral("DosAyar"));
        else if (key == Qt::Key_F12) {
            if (ConfirmBox(shell(), QStringLiteral("Programdan çıkmak istediğinize"),
                           QStringLiteral("emin misiniz?"), QStringLiteral("Çıkış kontrol"),
                           this) == 1)
                QApplication::exit(0);
        } else if (key != Qt::Key_F4) {
            return false;
        }
        return true; // Alt+F4 does nothing
    }
    if (mods != Qt::NoModifier) return false;
    if (exporting_) {
        // While the text goes to the printer, Esc stops it; nothing else runs meanwhile.
        if (key == Qt::Key_Escape) cancelPrint_ = true;
        return true;
    }
    QScrollBar* vertical = scroll_->verticalScrollBar();
    QScrollBar* horizontal = scroll_->horizontalScrollBar();
    switch (key) {
    case Qt::Key_Up:
        vertical->setValue(vertical->value() - kScrollStep);
        return true;
    case Qt::Key_Down:
        vertical->setValue(vertical->value() + kScrollStep);
        return true;
    case Qt::Key_Left:
        horizontal->setValue(horizontal->value() - kScrollStep);
        return true;
    case Qt::Key_Right:
        horizontal->setValue(horizontal->value() + kScrollStep);
        return true;
    case Qt::Key_F9:
    case Qt::Key_F10:
        return true; // swallowed
    case Qt::Key_F12:
        if (QWidget* top = parentWidget() ? parentWidget()->window() : nullptr)
            top->showMinimized();
        return true;
    default:
        break;
    }
    return FormBase::FormKeyDown(event);
}

void TfrmOnIzle::runExport(const QString& filter, const QString& extension)
{
    QString path = chooseFile(filter, extension);
    if (path.isEmpty()) return; // cancelled
    if (!path.contains(QLatin1Char('.'))) path += QLatin1Char('.') + extension;
    exporting_ = true;
    updateCommands();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        exportPages(pages(), exportFormatFromName(extension), path);
    } catch (const AppError& e) {
        QApplication::restoreOverrideCursor();
        exporting_ = false;
        NoticeBox(shell(), e.message(), e.detail(), windowTitle(), this);
        return;
    }
    QApplication::restoreOverrideCursor();
    exporting_ = false;
}

void TfrmOnIzle::printText()
{
    const QString title = QStringLiteral("Dos yazıcı kontrol");
    shell().install.reload(); // settings saved a moment ago count at once
    const TextPrint::Settings settings = TextPrint::read(shell().install.ini());
    if (const QString refused = TextPrint::refusal(settings); !refused.isEmpty()) {
        NoticeBox(shell(), refused, QString(), title, this);
        return;
    }
    const TextPrint::Target target = TextPrint::target(settings.device);
    exporting_ = true;
    cancelPrint_ = false;
    updateCommands();
    holdHints(true);
    const auto done = qScopeGuard([this] {
        holdHints(false);
        exporting_ = false;
        updateCommands();
    });
    setStatusText(1, QStringLiteral("Dos yazıcısı kontrol ediliyor..."));
    QString notReady;
    runInBackground([&] { notReady = TextPrint::notReady(target); });
    if (!notReady.isEmpty()) {
        setStatusText(1, notReady);
        NoticeBox(shell(), QStringLiteral("Dos yazıcısı açık değil"),
                  QStringLiteral("ve/veya hazır değil"), title, this);
        return;
    }
    QByteArray bytes;
    try {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const auto restore = qScopeGuard([] { QApplication::restoreOverrideCursor(); });
        exportPages(pages(), ExportFormat::Text, TextPrint::workFile(shell().install.programDir()),
                    {settings.pitch, TextPrint::pageLength(settings.pageLines)});
        bytes =
            TextPrint::stream(pages(), settings.pitch, TextPrint::pageLength(settings.pageLines));
        setStatusText(1, QStringLiteral("Dos yazıcısına yazılıyor... (Esc: vazgeç)"));
        runInBackground([&] { TextPrint::send(target, bytes, &cancelPrint_); });
        setStatusText(1, cancelPrint_
                             ? QStringLiteral("Dos yazıcısına yazma durduruldu")
                             : QStringLiteral("Dos yazıcısına yazıldı: %1 sayfa").arg(pageCount()));
    } catch (const AppError& e) {
        setStatusText(1, QString());
        NoticeBox(shell(), e.message(), e.detail(), title, this);
    }
}
