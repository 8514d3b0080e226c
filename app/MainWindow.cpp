#include "app/MainWindow.h"

#include "app/CommandTree.h"
#include "app/Hakkinda.h"
#include "app/KartLis.h"
#include "app/Makro.h"
#include "app/Notlar.h"
#include "app/Sifre.h"
#include "app/SirketDevir.h"
#include "app/SirketListe.h"
#include "app/SirketSec.h"
#include "app/WindowRegistry.h"
#include "app/Yardim.h"
#include "app/Yedek.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/HelpText.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "widgets/DisplayText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDebug>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr int kPanelWidth = 457;
constexpr int kPanelHeight = 481;
constexpr int kStripWidth = 34;

// The background: the ARTALAN picture stretched over the window, or black. A click calls back.
class Background : public QWidget {
public:
    Background(const QPixmap& picture, std::function<void()> clicked, QWidget* parent)
        : QWidget(parent)
        , picture_(picture)
        , clicked_(std::move(clicked))
    {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::black);
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        if (picture_.isNull()) return;
        QPainter painter(this);
        painter.drawPixmap(rect(), picture_);
    }
    void mousePressEvent(QMouseEvent*) override { clicked_(); }

private:
    QPixmap picture_;
    std::function<void()> clicked_;
};

// The coloured strip on the panel's left with the product name written upwards.
class Strip : public QWidget {
public:
    Strip(std::function<void()> clicked, QWidget* parent)
        : QWidget(parent)
        , clicked_(std::move(clicked))
    {
        setFixedWidth(kStripWidth);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, QColor(0, 60, 130));
        gradient.setColorAt(1, QColor(0, 20, 60));
        painter.fillRect(rect(), gradient);
        painter.setPen(Qt::white);
        QFont f = font();
        f.setPointSize(11);
        f.setBold(true);
        painter.setFont(f);
        // The title runs down the strip, one letter a line, as the vertical label writes it.
        painter.drawText(rect().adjusted(0, 8, 0, -8), Qt::AlignHCenter | Qt::AlignBottom,
                         DrawnLines(VerticalText(QStringLiteral("DULVET 3 Ön Muhasebe"), 0)));
    }
    void mousePressEvent(QMouseEvent*) override { clicked_(); }

private:
    std::function<void()> clicked_;
};

QPixmap loadPicture(const InstallSettings& install)
{
    const QString name = install.artalan();
    const QString path =
        QDir::isAbsolutePath(name) ? name : QDir(install.programDir()).filePath(name);
    QPixmap picture;
    picture.load(path); // a missing or unreadable picture leaves the background empty
    return picture;
}

void addNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<CommandNode>& nodes,
              int depth)
{
    for (const CommandNode& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, node.caption);
        item->setData(0, Qt::UserRole, node.code);
        item->setData(0, Qt::UserRole + 1, node.image);
        // Branches show a folder, commands a page.
        item->setIcon(0, tree->style()->standardIcon(node.children.empty() ? QStyle::SP_FileIcon
                                                                           : QStyle::SP_DirIcon));
        if (depth < 2) {
            QFont f = item->font(0);
            f.setBold(true);
            item->setFont(0, f);
        }
        addNodes(item, tree, node.children, depth + 1);
    }
}

} // namespace

MainWindow::MainWindow(const QString& programDir, MessageHandler* messages, bool autoStart)
    : QMainWindow(nullptr, Qt::FramelessWindowHint)
    , install_(programDir)
    , ownMessages_(messages ? nullptr : std::make_unique<DialogMessages>())
    , shell_(install_, messages ? *messages : *ownMessages_)
    , autoStart_(autoStart)
{
    setObjectName(QStringLiteral("frmAnaMenu"));
    shell_.minimizeProgram = [this](QWidget*) { showMinimized(); };
    shell_.quickCustomerList = [this](QWidget* parent) {
        TfrmKartLis(shell_, QuickCard::Customer, parent).run();
    };
    shell_.quickStockList = [this](QWidget* parent) {
        TfrmKartLis(shell_, QuickCard::Stock, parent).run();
    };
    shell_.helpWindow = [this](QWidget* active) { showHelp(shell_, active); };
    shell_.browserHelp = [this](QWidget* parent) { showBrowserHelp(shell_, parent); };
    shell_.notesPage = [this](QWidget* parent) { TfrmNotlar(shell_, parent).run(); };
    // Installations made before the help came get it now; without it F1 shows an empty page.
    try {
        installStarterHelp(programDir);
    } catch (const AppError& e) {
        qWarning() << e.message();
    }

    background_ = new Background(
        loadPicture(install_), [this] { togglePanel(); }, this);
    setCentralWidget(background_);

    // Top bar: caption, minimise, close.
    auto* top = new QWidget(background_);
    top->setObjectName(QStringLiteral("topBar"));
    top->setAutoFillBackground(true);
    QPalette tp = top->palette();
    tp.setColor(QPalette::Window, QColor(0, 40, 100));
    tp.setColor(QPalette::WindowText, Qt::white);
    top->setPalette(tp);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->setContentsMargins(8, 2, 2, 2);
    captionLabel_ = new QLabel(top);
    QFont cf = captionLabel_->font();
    cf.setBold(true);
    captionLabel_->setFont(cf);
    topLayout->addWidget(captionLabel_, 1);
    topButtons_ = new QWidget(top);
    auto* topButtonLayout = new QHBoxLayout(topButtons_);
    topButtonLayout->setContentsMargins(0, 0, 0, 0);
    auto* minimize = new QPushButton(QStringLiteral("_"), topButtons_);
    minimize->setToolTip(QStringLiteral("Simge durumuna getir"));
    auto* close = new QPushButton(QStringLiteral("X"), topButtons_);
    close->setToolTip(QStringLiteral("Programı sonlandır"));
    for (QPushButton* b : {minimize, close}) {
        b->setFixedSize(28, 22);
        b->setFocusPolicy(Qt::NoFocus);
        topButtonLayout->addWidget(b);
    }
    connect(minimize, &QPushButton::clicked, this, &QWidget::showMinimized);
    connect(close, &QPushButton::clicked, this, &MainWindow::askQuit);
    topLayout->addWidget(topButtons_);
    top->setGeometry(0, 0, width(), 28);

    // Command panel: strip, tool bar, logo on the left; the tree on the right.
    panel_ = new QFrame(background_);
    panel_->setObjectName(QStringLiteral("commandPanel"));
    panel_->setFrameShape(QFrame::Panel);
    panel_->setFrameShadow(QFrame::Raised);
    panel_->setAutoFillBackground(true);
    // The application's colours, every role set: a palette whose roles are not set takes them
    // from the parent, here the black background, and the logo's text would be black on black.
    QPalette panelColours = QApplication::palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        for (const QPalette::ColorGroup group :
             {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            panelColours.setColor(group, QPalette::ColorRole(role),
                                  QApplication::palette().color(group, QPalette::ColorRole(role)));
    panel_->setPalette(panelColours);
    auto* panelLayout = new QHBoxLayout(panel_);
    panelLayout->setContentsMargins(0, 0, 5, 0);
    panelLayout->addWidget(new Strip([this] { showAbout(); }, panel_));
    auto* side = new QVBoxLayout;
    const struct {
        const char* name;
        const char* caption;
        std::function<void()> action;
    } tools[] = {
        {"Kapla", "Ekranı kapla", [this] { toggleFullPanel(); }},
        {"Sec", "Şirket seç [F2]", [this] { chooseCompany(); }},
        {"Bilgi", "  Şirket bilgileri [F3]  ", [this] { openCompanyList(); }},
        {"Devir", "Şirket Devri [F4]", [this] { openPeriodTransfer(); }},
        {"Yedek", "Yedekleme [F5]", [this] { openBackup(); }},
        {"Makro", "Makro tanımları [F6]", [this] { openMacros(); }},
    };
    for (const auto& tool : tools) {
        auto* b = new QPushButton(QString::fromUtf8(tool.caption), panel_);
        b->setObjectName(QStringLiteral("btn") + QLatin1String(tool.name));
        b->setFocusPolicy(Qt::NoFocus);
        const auto action = tool.action;
        connect(b, &QPushButton::clicked, this, [this, action] {
            try {
                action();
            } catch (const AppError& e) {
                NoticeBox(shell_, e.message(), e.detail(), windowTitle(), this);
            }
        });
        side->addWidget(b);
        buttons_.insert(QLatin1String(tool.name), b);
    }
    side->addStretch();
    auto* logo = new QLabel(QStringLiteral("<b>DULVET 3</b>"), panel_);
    logo->setAlignment(Qt::AlignCenter);
    side->addWidget(logo);
    panelLayout->addLayout(side);
    tree_ = new QTreeWidget(panel_);
    tree_->setHeaderHidden(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setRootIsDecorated(true);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { runSelectedCommand(); });
    tree_->installEventFilter(this);
    panelLayout->addWidget(tree_, 1);
    panel_->resize(kPanelWidth, kPanelHeight);

    buttons_.value(QStringLiteral("Devir"))->setEnabled(false); // until a company is open
    setWindowTitle(caption());
    captionLabel_->setText(caption());
    resize(1024, 768);
}

MainWindow::~MainWindow()
{
    company_.reset();
    global_.reset();
}

QPushButton* MainWindow::button(const QString& name) const
{
    return buttons_.value(name);
}

QString MainWindow::caption() const
{
    return shell_.companyIsOpen && company_
               ? QStringLiteral("Orsil DULVET  [ -%1- ] şirketi ile çalışıyorsunuz")
                     .arg(shell_.activeCompanyCode)
               : QStringLiteral("Orsil DULVET");
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    placePanel();
    if (!started_ && autoStart_) {
        started_ = true;
        // After the window is on screen, so the sign-in appears over it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!startUp()) {
                    quitting_ = true;
                    QApplication::exit(0);
                }
            },
            Qt::QueuedConnection);
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (QWidget* top = background_->findChild<QWidget*>(QStringLiteral("topBar")))
        top->setGeometry(0, 0, width(), 28);
    placePanel();
}

void MainWindow::placePanel()
{
    if (fullPanel_)
        panel_->setGeometry(0, 28, width(), height() - 28);
    else
        panel_->setGeometry((width() - kPanelWidth) / 2, (height() - kPanelHeight) / 2, kPanelWidth,
                            kPanelHeight);
}

bool MainWindow::startUp()
{
    shell_.companyIsOpen = false;
    shell_.activeCompanyCode.clear();
    shell_.activeCompanyTitle.clear();
    QLocale::setDefault(QLocale::c()); // "," thousands, "." decimals everywhere
    if (!openGlobalData()) return false;
    const AccessConfig config =
        AccessConfig::read(QDir(install_.programDir()).filePath(QStringLiteral("Cnf.HDB")));
    const std::optional<AccessRights> granted = AskAccessPassword(shell_, config, this);
    if (!granted) return false;
    rights_ = *granted;
    chooseCompany();
    return true;
}

bool MainWindow::openGlobalData()
{
    try {
        session_ = std::make_unique<StoreSession>(install_.privateRoot());
        session_->addPassword(masterPassword());
        session_->setControlDirectory(install_.dataDirectory());
        useInstallation(*session_, install_);
        global_ = std::make_unique<GlobalData>(*session_, install_.dataDirectory());
    } catch (const AppError& e) {
        NoticeBox(shell_, e.message(), e.detail(), QStringLiteral("DULVET 3"), this);
        return false;
    }
    shell_.session = session_.get();
    shell_.global = global_.get();
    return true;
}

void MainWindow::setBusy(bool on)
{
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void MainWindow::chooseCompany()
{
    if (!global_) return;
    TfrmSirketSec window(shell_, this);
    window.run();
    openOrClearCompany();
}

void MainWindow::openOrClearCompany()
{
    tree_->clear();
    company_.reset();
    shell_.company = nullptr;
    if (shell_.companyIsOpen && !shell_.activeCompanyCode.isEmpty() && session_) {
        setBusy(true);
        try {
            company_ = std::make_unique<CompanyData>(*session_, install_, shell_.activeCompanyCode);
        } catch (const AppError& e) {
            setBusy(false);
            shell_.companyIsOpen = false;
            NoticeBox(shell_, e.message(), e.detail(), QStringLiteral("Şirket seçimi"), this);
            return openOrClearCompany();
        }
        shell_.company = company_.get();
        Table& sirket = global_->sirket();
        sirket.refresh();
        if (sirket.filtered()) sirket.setFiltered(false);
        if (CompanyData::SeekBackByText(sirket, QStringLiteral("SKodu"), shell_.activeCompanyCode))
            shell_.activeCompanyTitle = sirket[QStringLiteral("Aciklama")].asString();
        shell_.workingYear = QDate::currentDate().year();
        buildTree();
        setBusy(false);
        activateWindow(); // the keyboard comes back from the selection window
        tree_->setFocus();
    } else {
        shell_.companyIsOpen = false;
        shell_.activeCompanyCode.clear();
        shell_.activeCompanyTitle.clear();
    }
    buttons_.value(QStringLiteral("Devir"))->setEnabled(shell_.companyIsOpen && company_);
    // The application's title is the company's code and title while one is open.
    QGuiApplication::setApplicationDisplayName(
        shell_.companyIsOpen
            ? QStringLiteral("%1 %2").arg(shell_.activeCompanyCode, shell_.activeCompanyTitle)
            : QStringLiteral("DULVET 3"));
    setWindowTitle(caption());
    captionLabel_->setText(caption());
}

void MainWindow::buildTree()
{
    tree_->clear();
    Table& sirket = global_->sirket();
    const auto flags = [&sirket](const QString& field) { return sirket[field].asString(); };
    addNodes(nullptr, tree_, buildCommandTree(flags, rights_), 0);
    tree_->expandToDepth(0);
    if (tree_->topLevelItemCount() > 0) tree_->setCurrentItem(tree_->topLevelItem(0));
}

void MainWindow::runSelectedCommand()
{
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return;
    const int code = item->data(0, Qt::UserRole).toInt();
    if (code <= 0) return;
    topButtons_->hide();
    panel_->hide();
    repaint();
    setBusy(true);
    try {
        if (shell_.windows) shell_.windows->open(code, shell_, this);
    } catch (const AppError& e) {
        setBusy(false);
        NoticeBox(shell_, e.message(), e.detail(), windowTitle(), this);
        setBusy(true);
    }
    setBusy(false);
    topButtons_->show();
    panel_->show();
    activateWindow();
    if (shell_.companyIsOpen) tree_->setFocus();
}

void MainWindow::openCompanyList()
{
    if (!global_) return;
    Table sirket(global_->connection(), QStringLiteral("Sirket"));
    sirket.setIndexName(QStringLiteral("Sirket_1"));
    sirket.open();
    TfrmSirket window(shell_, sirket, this);
    window.run();
}

void MainWindow::openPeriodTransfer()
{
    TfrmSirketDevir window(shell_, this);
    window.run();
}

void MainWindow::openBackup()
{
    TfrmYedek window(shell_, this);
    window.run();
}

void MainWindow::openMacros()
{
    TfrmMakro window(shell_, this);
    window.run();
}

void MainWindow::toggleFullPanel()
{
    fullPanel_ = !fullPanel_;
    buttons_.value(QStringLiteral("Kapla"))
        ->setText(fullPanel_ ? QStringLiteral("Küçült") : QStringLiteral("Ekranı kapla"));
    placePanel();
}

void MainWindow::togglePanel()
{
    panel_->setVisible(!panel_->isVisible());
    if (panel_->isVisible() && shell_.companyIsOpen) tree_->setFocus();
}

void MainWindow::showAbout()
{
    panel_->hide();
    topButtons_->hide();
    TfrmHakkinda about(this);
    about.exec();
    panel_->show();
    topButtons_->show();
}

void MainWindow::askQuit()
{
    if (ConfirmBox(shell_, QStringLiteral("Programdan çıkmak istediğinize"),
                   QStringLiteral("emin misiniz?"), QStringLiteral("Teşekkürler"), this) == 1) {
        quitting_ = true;
        close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Alt+F4 does nothing; the program ends through Esc or the close button.
    if (!quitting_) event->ignore();
}

bool MainWindow::handleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    if (mods == Qt::AltModifier) {
        switch (key) {
        case Qt::Key_F4:
            return true;
        case Qt::Key_F9:
            if (shell_.companyIsOpen && shell_.quickCustomerList) shell_.quickCustomerList(this);
            return true;
        case Qt::Key_F10:
            if (shell_.companyIsOpen && shell_.quickStockList) shell_.quickStockList(this);
            return true;
        case Qt::Key_F1:
            if (shell_.browserHelp) shell_.browserHelp(this);
            return true;
        case Qt::Key_F8:
            if (shell_.notesPage) shell_.notesPage(this);
            return true;
        default:
            return false;
        }
    }
    if (mods != Qt::NoModifier) return false;
    const QHash<int, QString> keys = {{Qt::Key_F2, QStringLiteral("Sec")},
                                      {Qt::Key_F3, QStringLiteral("Bilgi")},
                                      {Qt::Key_F4, QStringLiteral("Devir")},
                                      {Qt::Key_F5, QStringLiteral("Yedek")},
                                      {Qt::Key_F6, QStringLiteral("Makro")}};
    if (keys.contains(key)) {
        QPushButton* b = buttons_.value(keys.value(key));
        if (b && b->isEnabled()) b->click();
        return true;
    }
    switch (key) {
    case Qt::Key_Escape:
        askQuit();
        return true;
    case Qt::Key_F1:
        if (shell_.helpWindow) shell_.helpWindow(this);
        return true;
    case Qt::Key_F12:
        showMinimized();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (QApplication::focusWidget() == tree_) {
            runSelectedCommand();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress &&
        handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!handleKey(event)) QMainWindow::keyPressEvent(event);
}
