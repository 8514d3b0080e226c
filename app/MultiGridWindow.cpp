#include "app/MultiGridWindow.h"

#include "app/GridWindow.h"
#include "store/Table.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

MultiGridWindow::MultiGridWindow(Shell& shell, const QString& title, QWidget* parent)
    : FormBase(shell, title, parent)
{
    addCommand(QStringLiteral("Yeni"), QStringLiteral("Yeni kayıt [F2]"), Qt::Key_F2, QString(),
               [this] { runOnActive(&Pane::add); });
    addCommand(QStringLiteral("Duzelt"), QStringLiteral("Düzeltme [F3]"), Qt::Key_F3, QString(),
               [this] { runOnActive(&Pane::change); });
    addCommand(QStringLiteral("Iptal"), QStringLiteral("İptal [F4]"), Qt::Key_F4, QString(),
               [this] { runOnActive(&Pane::remove); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] {
                   leaving();
                   closeWindow(QDialog::Accepted);
               });
    resize(820, 640);
}

int MultiGridWindow::addPane(Pane pane)
{
    Shown shown;
    static_cast<Pane&>(shown) = std::move(pane);
    shown.label = new QLabel(shown.title, this);
    shown.label->setAutoFillBackground(true);
    shown.model = new TableModel(*shown.table, shown.columns, this);
    shown.grid = makeGridView(shown.model, this);
    shown.grid->installEventFilter(this);
    content()->addWidget(shown.label);
    content()->addWidget(shown.grid, 1);
    const int index = int(panes_.size());
    panes_.push_back(std::move(shown));
    Shown& p = panes_.back();
    connect(p.grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this, index](const QModelIndex& now) {
                Shown& s = panes_[size_t(index)];
                if (s.syncing || !now.isValid()) return;
                s.model->moveTableTo(now.row());
                if (s.moved) s.moved();
                updateCommands();
            });
    connect(p.grid, &QAbstractItemView::doubleClicked, this, [this, index] {
        setActivePane(index);
        MenuIslem(QStringLiteral("Duzelt"));
    });
    selectTableRow(p);
    setActivePane(active_);
    return index;
}

void MultiGridWindow::setActivePane(int pane)
{
    if (panes_.empty()) return;
    active_ = (pane % paneCount() + paneCount()) % paneCount();
    for (size_t i = 0; i < panes_.size(); ++i) {
        const bool on = int(i) == active_;
        QLabel* label = panes_[i].label;
        label->setText(on ? QStringLiteral("<b>%1</b>").arg(panes_[i].title.toHtmlEscaped())
                          : panes_[i].title.toHtmlEscaped());
        QPalette colours = palette();
        if (on) {
            colours.setColor(QPalette::Window, colours.color(QPalette::Highlight));
            colours.setColor(QPalette::WindowText, Qt::white);
        }
        label->setPalette(colours);
    }
    panes_[size_t(active_)].grid->setFocus();
    updateCommands();
}

void MultiGridWindow::selectTableRow(Shown& pane)
{
    pane.syncing = true;
    const int row = pane.model->tableRow();
    if (row >= 0) {
        const QModelIndex index = pane.model->index(row, 0);
        pane.grid->setCurrentIndex(index);
        pane.grid->scrollTo(index);
    }
    pane.syncing = false;
}

void MultiGridWindow::reloadPane(int pane)
{
    Shown& p = panes_[size_t(pane)];
    p.syncing = true;
    p.model->reload();
    p.syncing = false;
    selectTableRow(p);
}

void MultiGridWindow::runOnActive(std::function<void()> Pane::*action)
{
    Shown& p = panes_[size_t(active_)];
    if (p.*action) (p.*action)();
    // The keys go on to the grid in use when a window opened by the command has closed.
    if (isVisible()) {
        activateWindow();
        panes_[size_t(active_)].grid->setFocus();
    }
}

void MultiGridWindow::updateCommands()
{
    if (panes_.empty()) return;
    Shown& p = panes_[size_t(active_)];
    const bool rows = !p.table->isEmpty();
    setCommandEnabled(QStringLiteral("Yeni"), bool(p.add) && (!p.canAdd || p.canAdd()));
    setCommandEnabled(QStringLiteral("Duzelt"), bool(p.change) && rows);
    setCommandEnabled(QStringLiteral("Iptal"), bool(p.remove) && rows);
}

bool MultiGridWindow::FormKeyDown(QKeyEvent* event)
{
    // The arrows also move between the grids when no grid has the keyboard.
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)) {
        setActivePane(active_ + (event->key() == Qt::Key_Left ? -1 : 1));
        return true;
    }
    return FormBase::FormKeyDown(event);
}

bool MultiGridWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        for (size_t i = 0; i < panes_.size(); ++i) {
            if (watched != panes_[i].grid) continue;
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) break;
            switch (key->key()) {
            case Qt::Key_Left:
                setActivePane(int(i) - 1);
                return true;
            case Qt::Key_Right:
                setActivePane(int(i) + 1);
                return true;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                setActivePane(int(i));
                MenuIslem(QStringLiteral("Duzelt"));
                return true;
            default:
                break;
            }
        }
    }
    if (event->type() == QEvent::FocusIn)
        for (size_t i = 0; i < panes_.size(); ++i)
            if (watched == panes_[i].grid && active_ != int(i)) setActivePane(int(i));
    return FormBase::eventFilter(watched, event);
}
