#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

// A grid that edits rows in place: Enter or Shift+Right goes to the next column, and from the last
// column to the first of the next row, appending a row at the end. Ctrl+Delete deletes the row only
// when KayitSilinsinMi is set. Numeric cells take a number editor.
class TProDbGrid : public QTableView {
    Q_OBJECT
public:
    explicit TProDbGrid(QWidget* parent = nullptr);
    bool KayitSilinsinMi = false;
    QColor KayitSeciliRenk;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool advance();
};

// In-place number editor: digits, one decimal separator, "-" turns the sign wherever the cursor
// is, "e" is taken as "E" for an exponent.
class NumberCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
