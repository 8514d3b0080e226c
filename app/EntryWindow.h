#pragma once

#include "app/FormBase.h"

class CodeField;
class QGridLayout;
class Table;

enum class EditorKind {
    Text,    // plain text, cut to the size
    Code,    // text with a length limit, typed in capitals (TZREdit)
    Money,   // cash-register keypad (TZemrakSEdit) with the given decimals
    Number,  // free number (TZemrakEdit)
    Integer, // free whole number (TZemrakEdit, esInteger)
    Date,    // dd.mm.yyyy, tidied on leaving (NormalizeDateText)
    Memo,    // several lines
    Check,   // a box ticked or not, its label the box's own caption
};

struct FieldSpec {
    QString label;
    QString field; // the table field it edits; empty for a field of the window's own
    EditorKind kind = EditorKind::Text;
    int size = 0; // characters for texts, decimals for money
    QString hint;
};

// An entry window: fields declared with label, field, editor kind, size and hint, laid out in
// order; Enter/Down/Up move between them; "Kaydet [F2]" saves and closes, "Vazgeç [Esc]"
// closes without saving. Bound to a table, it edits the table's buffer and posts it as one
// command; a refused post leaves the window open with what was typed.
class EntryWindow : public FormBase {
    Q_OBJECT
public:
    EntryWindow(Shell& shell, const QString& title, std::vector<FieldSpec> fields,
                Table* table = nullptr, QWidget* parent = nullptr, bool companyCaption = true);

    QWidget* editor(int index) const { return editors_[size_t(index)]; }
    QWidget* editor(const QString& field) const;
    int editorCount() const { return int(editors_.size()); }
    QString text(int index) const;
    void setText(int index, const QString& text);
    QVariant value(int index) const;
    // A number field's value, and setting it (money at its editor's decimals).
    double number(int index) const { return value(index).toDouble(); }
    void setNumber(int index, double value);
    // A box's state (EditorKind::Check).
    bool checked(int index) const;
    void setChecked(int index, bool on);

protected:
    // Fills the editors from the table's record (or buffer); windows of their own override it.
    virtual void load();
    // Checks before saving; a window that refuses tells the user itself and returns false,
    // and the window stays open with what was typed.
    virtual bool validate() { return true; }
    // Writes; throws AppError to refuse. By default: editors into the table's buffer, then
    // post, all in one command.
    virtual void save();
    // After a save: by default the window closes.
    virtual void saved() { closeWindow(QDialog::Accepted); }
    void setSaveHints(const QString& saveHint, const QString& cancelHint);
    Table* table() const { return table_; }
    // "Kart listesi [F6]" ("Liste"): the card list of `code`, the chosen card's code put into
    // its field; the field `titleField` (when >= 0) then takes the chosen card's title, and the
    // focus goes to `nextField` (when >= 0) once the list has handed it back. `picking`, when
    // given, is true while the list is open (for rules that must wait for the choice).
    void addCardListCommand(CodeField* code, int titleField = -1, int nextField = -1,
                            bool* picking = nullptr);

private:
    QWidget* makeEditor(const FieldSpec& spec);

    std::vector<FieldSpec> specs_;
    std::vector<QWidget*> editors_;
    Table* table_;
    QGridLayout* grid_;
};
