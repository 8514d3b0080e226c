#include "app/GridWindow.h"

#include "store/Table.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

QTableView* makeGridView(TableModel* model, QWidget* parent)
{
    auto* grid = new QTableView(parent);
    grid->setModel(model);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setHighlightSections(false);
    for (size_t i = 0; i < model->columns().size(); ++i)
        grid->setColumnWidth(int(i), model->columns()[i].width);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

GridWindow::GridWindow(Shell& shell, const QString& title, Table& table,
                       std::vector<GridColumn> columns, QWidget* parent, bool companyCaption)
    : FormBase(shell, title, parent, companyCaption)
    , table_(table)
{
    model_ = new TableModel(table, std::move(columns), this);
    grid_ = makeGridView(model_, this);
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    popup_ = new QMenu(this);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->exec(grid_->viewport()->mapToGlobal(at)); });
    connect(grid_, &QAbstractItemView::doubleClicked, this, [this] { gridActivated(); });
    connectSelection();
    grid_->installEventFilter(this);
    content()->addWidget(grid_);
    resize(760, 480);
}

bool GridWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            gridActivated();
            return true;
        }
    }
    return FormBase::eventFilter(watched, event);
}

void GridWindow::selectTableRow()
{
    syncing_ = true;
    const int row = model_->tableRow();
    if (row >= 0) {
        const QModelIndex index = model_->index(row, 0);
        grid_->setCurrentIndex(index);
        grid_->scrollTo(index);
    }
    syncing_ = false;
}

void GridWindow::reload()
{
    // Rows chosen together stay chosen after a command that changed no row count (a refusal).
    QList<int> chosen;
    if (grid_->selectionMode() == QAbstractItemView::ExtendedSelection)
        for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
            chosen << index.row();
    const int before = model_->rowCount();
    syncing_ = true;
    model_->reload();
    syncing_ = false;
    selectTableRow();
    if (chosen.size() < 2 || model_->rowCount() != before) return;
    for (int row : chosen)
        grid_->selectionModel()->select(model_->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void GridWindow::goLast()
{
    table_.last();
    selectTableRow();
}

void GridWindow::setMultiSelect(bool on)
{
    grid_->setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                               : QAbstractItemView::SingleSelection);
}

std::vector<qint64> GridWindow::selectedIds() const
{
    QList<int> rows;
    for (const QModelIndex& index : grid_->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    std::vector<qint64> ids;
    for (int row : rows)
        if (const qint64 id = model_->recordId(row); id > 0) ids.push_back(id);
    if (ids.empty() && table_.currentId() > 0) ids.push_back(table_.currentId());
    return ids;
}

void GridWindow::connectSelection()
{
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) {
                if (!syncing_ && now.isValid()) model_->moveTableTo(now.row());
            });
}

void GridWindow::setOrders(const QString& title, std::vector<ListOrder> orders, int initial)
{
    orders_ = std::move(orders);
    QStringList captions;
    for (const ListOrder& o : orders_)
        captions << o.caption;
    orderGroup_ = addRadioGroup(title, captions, initial, 0);
    connect(orderGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        setOrder(id);
        updateCommands();
        // The arrows go on moving in the list, not through the order choices.
        if (grid_->isEnabled()) grid_->setFocus();
    });
    setOrder(initial);
}

void GridWindow::setOrder(int order)
{
    if (order < 0 || order >= int(orders_.size())) return;
    order_ = order;
    if (QAbstractButton* button = orderGroup_->button(order)) button->setChecked(true);
    const qint64 at = table_.currentId();
    table_.setIndexName(orders_[size_t(order)].indexName);
    if (at > 0) table_.gotoId(at);
    if (!orders_[size_t(order)].columns.empty())
        setColumns(orders_[size_t(order)].columns);
    else
        reload();
}

void GridWindow::setColumns(std::vector<GridColumn> columns)
{
    auto* model = new TableModel(table_, std::move(columns), this);
    syncing_ = true;
    QItemSelectionModel* oldSelection = grid_->selectionModel();
    const QAbstractItemView::SelectionMode mode = grid_->selectionMode();
    grid_->setModel(model);
    grid_->setSelectionMode(mode);
    delete oldSelection;
    delete model_;
    model_ = model;
    for (size_t i = 0; i < model_->columns().size(); ++i)
        grid_->setColumnWidth(int(i), model_->columns()[i].width);
    connectSelection();
    syncing_ = false;
    selectTableRow();
}

std::vector<QLineEdit*> GridWindow::addInfoBoxes(const QStringList& labels, bool above, int width)
{
    std::vector<QLineEdit*> boxes;
    QBoxLayout* row = nullptr;
    auto* column = new QFormLayout;
    if (!above) {
        row = new QHBoxLayout;
        row->addStretch();
    }
    for (const QString& text : labels) {
        auto* box = new QLineEdit(this);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        if (above) {
            box->setMaximumWidth(width * 3);
            column->addRow(text, box);
        } else {
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            box->setMaximumWidth(width);
            row->addWidget(new QLabel(text, this));
            row->addWidget(box);
        }
        boxes.push_back(box);
    }
    if (above) {
        content()->insertLayout(0, column);
    } else {
        delete column;
        content()->addLayout(row);
    }
    return boxes;
}
