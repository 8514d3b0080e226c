#pragma once

#include "app/GridWindow.h"

// Captions, hints and pop-up texts of the standard commands; windows may word them their way.
struct ListTexts {
    QString newCaption = QStringLiteral("Yeni kayıt [F2]"), newHint;
    QString editCaption = QStringLiteral("Düzeltme [F3]"), editHint;
    QString deleteCaption = QStringLiteral("İptal [F4]"), deleteHint;
    QString exitCaption = QStringLiteral("Çıkış [Esc]"), exitHint;
    QString editPopup = QStringLiteral("Düzeltme"), deletePopup = QStringLiteral("İptal");
};

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
    // Records other programs wrote: only those whose `field` holds `value` are changed or
    // deleted here; F3 and F4 on another are refused with `refused` and the command's line.
    struct OwnedRecords {
        QString field, value, refused;
        QString editLine, editTitle, deleteLine, deleteTitle;
        bool emptyIsOwn = false; // records of old books without a source count as own
    };

    ListWindow(Shell& shell, const QString& title, Table& table, std::vector<GridColumn> columns,
               QWidget* parent = nullptr, const ListTexts& texts = ListTexts(),
               bool companyCaption = true);

protected:
    // By default F2 and F3 run the header window of setHeaderWindow, if any.
    virtual void newRecord();
    virtual void editRecord();
    // Deletes the current record as one command; a window that owns other records deletes
    // them here too.
    virtual void deleteRecord();
    // Before "Çıkış" closes the window: a window that keeps a document's header saves it here;
    // an AppError keeps the window open with what was typed.
    virtual void leaving() {}
    // Asked before the two confirmations; a window that refuses tells the user and returns false.
    virtual bool canDelete() { return true; }
    void setDeleteTexts(const DeleteTexts& texts) { deleteTexts_ = texts; }
    void setOwnedRecords(const OwnedRecords& owned) { owned_ = owned; }
    // Documents with lines: "Hareketler" (F5 with `caption`, Enter, double-click and the pop-up
    // entry `popupText`) opens the current document's lines; off while the list is empty.
    void addLinesCommand(const QString& caption, const QString& popupText,
                         std::function<void()> open);
    // Documents with a header window: F2 and F3 run `header` for a new document (0) or the
    // current one; when it returns the Nosu of a saved document, the list stands on it and
    // opens its lines.
    void setHeaderWindow(std::function<qint64(qint64 documentId)> header)
    {
        header_ = std::move(header);
    }
    // Every function key first re-reads the table (keeping the current record), so records
    // written at another workstation appear before a command acts.
    void setRereadBeforeKeys(bool on) { rereadBeforeKeys_ = on; }
    void updateCommands() override;
    void gridActivated() override;
    bool FormKeyDown(QKeyEvent* event) override;

    // False (after telling the user `line` under `title`) when the current record belongs to
    // another program; for commands of the window's own.
    bool ownedOrTell(const QString& line, const QString& title);

private:
    void askAndDelete();
    bool owned(bool edit);
    DeleteTexts deleteTexts_;
    OwnedRecords owned_;
    bool hasLines_ = false;
    std::function<qint64(qint64)> header_;
    bool rereadBeforeKeys_ = false;
};
