#pragma once

#include "app/FormBase.h"

#include <QDate>
#include <vector>

class CodeField;
class PageSet;
class QButtonGroup;
class QComboBox;
class QFormLayout;
class QLineEdit;
class ReportRenderer;
struct RunningReport;
class TZemrakSEdit;
struct CodeKind;

// Handles to the criteria a report window declares, each reading its own kind of value.
class TextCriterion {
public:
    TextCriterion() = default;
    explicit TextCriterion(QLineEdit* edit)
        : edit_(edit)
    {
    }
    QLineEdit* edit() const { return edit_; }
    QString text() const; // trimmed
    void setText(const QString& text) const;

protected:
    QLineEdit* edit_ = nullptr;
};

class DateCriterion : public TextCriterion {
public:
    using TextCriterion::TextCriterion;
    // The date typed, invalid while the field is empty; a text that is not a date is refused
    // with a message naming it.
    QDate date() const;
    // The date written dd.mm.yyyy, empty while the field is empty.
    QString dateText() const;
    void setDate(const QDate& date) const;
};

class AmountCriterion {
public:
    AmountCriterion() = default;
    explicit AmountCriterion(TZemrakSEdit* edit)
        : edit_(edit)
    {
    }
    TZemrakSEdit* edit() const { return edit_; }
    double value() const;
    void setValue(double value) const;

private:
    TZemrakSEdit* edit_ = nullptr;
};

// A customer, bank or stock code with the code field rule; its card's title shows beside it.
class CodeCriterion : public TextCriterion {
public:
    CodeCriterion() = default;
    CodeCriterion(QLineEdit* edit, CodeField* field)
        : TextCriterion(edit)
        , field_(field)
    {
    }
    // The card of the code as typed now; refused with "… bulunamadı" when there is none.
    qint64 id() const;
    QString title() const;

private:
    CodeField* field_ = nullptr;
};

class ChoiceCriterion {
public:
    ChoiceCriterion() = default;
    explicit ChoiceCriterion(QButtonGroup* group)
        : group_(group)
    {
    }
    QButtonGroup* group() const { return group_; }
    int chosen() const;
    void choose(int choice) const;

private:
    QButtonGroup* group_ = nullptr;
};

template <typename Criterion> struct CriterionRange {
    Criterion from, to;
};

// A report's choices: "Ön izleme [F2]", "Yazdırma [F3]", "Ayar [F4]" (printer set-up) and
// "Çıkış [Esc]". A report window declares its criteria in order (fields, ranges, radio groups)
// and makes its pages from them; F6 in a code field opens that code's pick list, and after any
// command the focus returns to the first field. The preview shows over the window, which keeps
// its criteria for the next report.
class ReportWindow : public FormBase {
    Q_OBJECT
public:
    ReportWindow(Shell& shell, const QString& title, QWidget* parent = nullptr);

    // The report's pages for the criteria as they stand; by default those of start().
    virtual PageSet pages();
    // The report for the criteria as they stand, made page by page: a window that gives one
    // needs neither pages() nor preview(), and its preview shows the first pages while the rest
    // are made. By default none (no renderer).
    virtual RunningReport start();

    // A heading over the criteria that follow.
    void addHeading(const QString& text);
    // The criteria, declared in the order of the fields.
    TextCriterion addText(const QString& label, const QString& hint);
    // Two fields on one row; with `codes`, F6 in either picks a card's code.
    CriterionRange<TextCriterion> addTextRange(const QString& label, const QString& hint,
                                               const CodeKind* codes = nullptr);
    // Short fields side by side on one row, each with its label (label, hint).
    std::vector<TextCriterion> addTextRow(const std::vector<std::pair<QString, QString>>& fields);
    CriterionRange<DateCriterion> addDateRange(const QString& label, const QString& fromHint,
                                               const QString& toHint);
    CriterionRange<AmountCriterion> addAmountRange(const QString& label, const QString& hint,
                                                   int decimals);
    CodeCriterion addCode(const QString& label, const QString& hint, const CodeKind& codes);
    ChoiceCriterion addChoice(const QString& title, const QStringList& choices, int chosen);
    // A drop-down list; the caller fills it.
    QComboBox* addList(const QString& label, const QString& hint);
    // A date range starting on the working year's first and last day.
    CriterionRange<DateCriterion> addWorkingYear(const QString& label);
    // A code range starting on the first and the last code of `table` in the order `index`.
    void presetToFirstAndLast(const CriterionRange<TextCriterion>& range, const QString& table,
                              const QString& index, const QString& codeField);
    // Choosing in the group puts the focus on `field`.
    void focusAfterChoice(const ChoiceCriterion& choice, QWidget* field);
    // After a command or a choice the focus returns to the field last entered instead of the
    // first one.
    void returnToLastField();
    // The field always holds a whole number: every key typed into it first makes its text one.
    void keepWholeNumber(const TextCriterion& field);
    void focusLastFieldAfterChoice(QButtonGroup* group);

    // Letter paper when the installation says so (KAGIT 1), else A4.
    bool letterPaper() const;
    // The working year (today's year when none is set).
    int workingYear() const;

protected:
    // By default: start()'s report in the preview as it is made, or else the pages of pages();
    // on the printer the pages of pages().
    virtual void preview();
    virtual void print();
    // The shared printer set-up of every report window.
    virtual void printerSetup();
    // Before "Çıkış [Esc]" closes the window: a window that keeps settings writes them here; an
    // AppError keeps the window open.
    virtual void leaving() {}
    void updateCommands() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Shows the report in the preview while it is made.
    void showPreview(ReportRenderer& renderer);
    // Prints finished pages through the system's print dialog.
    void printPages(const PageSet& pages);
    // Shows finished pages in the preview.
    void showPages(PageSet pages);

private:
    QLineEdit* addLine(QLineEdit* edit, const QString& hint, const CodeKind* codes);
    void pickForFocusedField();

    QFormLayout* form_;
    bool picks_ = false;
    bool toLast_ = false;
    std::vector<QLineEdit*> wholeNumbers_;
    QWidget* lastField_ = nullptr;
};
