#pragma once

#include "app/GridWindow.h"

// A list of records: "Yeni kayıt [F2]", "Düzeltme [F3]" (also Enter, double-click and the pop-up
// entry "Düzeltme"), "İptal [F4]" (pop-up "İptal"), which deletes only after two yes answers,
// and "Çıkış [Esc]". F3 and F4 are off while the list is empty. A window adds its own optional
// commands (F5, F6, F7, F10) with addCommand.
class ListWindow : public GridWindow {
    Q_OBJECT
public:
    struct DeleteTexts {
        QString first1, first2, second1, second2, title;
    };

    ListWindow(Shell& shell, const QString& title, Table& table, std::vector<GridColumn> columns,
               QWidget* parent = nullptr);

protected:
    virtual void newRecord() {}
    virtual void editRecord() {}
    // Deletes the current record as one command; a window that owns other records deletes
    // them here too.
    virtual void deleteRecord();
    void setDeleteTexts(const DeleteTexts& texts) { deleteTexts_ = texts; }
    void setNewHint(const QString& hint);
    void updateCommands() override;
    void gridActivated() override;

private:
    void askAndDelete();
    DeleteTexts deleteTexts_;
};
