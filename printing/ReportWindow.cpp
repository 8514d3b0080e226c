#include "printing/ReportWindow.h"

#include "app/CodeField.h"
#include "printing/OnIzle.h"
#include "printing/PagePrinter.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/Table.h"
#include "store/TextRules.h"
#include "widgets/DateEdit.h"
#include "widgets/TZemrakSEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

// --- Criteria ----------------------------------------------------------------------------------

QString TextCriterion::text() const
{
    return edit_->text().trimmed();
}

void TextCriterion::setText(const QString& text) const
{
    edit_->setText(text);
}

QDate DateCriterion::date() const
{
    if (text().isEmpty()) return QDate();
    const QString normal = NormalizeDateText(text());
    if (normal.isEmpty()) throw AppError(QStringLiteral("Tarih hatalı: %1").arg(text()));
    return QDate::fromString(normal, QStringLiteral("dd.MM.yyyy"));
}

QString DateCriterion::dateText() const
{
    const QDate d = date();
    return DateText(d);
}

void DateCriterion::setDate(const QDate& date) const
{
    edit_->setText(date.toString(QStringLiteral("dd.MM.yyyy")));
}

double AmountCriterion::value() const
{
    return edit_->asFloat();
}

void AmountCriterion::setValue(double value) const
{
    edit_->setAsFloat(value);
}

qint64 CodeCriterion::id() const
{
    if (!field_->check())
        throw AppError(field_->kind().notFound, text().isEmpty() ? QString() : text());
    return field_->id();
}

QString CodeCriterion::title() const
{
    field_->check();
    return field_->title();
}

int ChoiceCriterion::chosen() const
{
    return group_->checkedId();
}

void ChoiceCriterion::choose(int choice) const
{
    if (QAbstractButton* button = group_->button(choice)) button->click();
}

// --- The window --------------------------------------------------------------------------------

ReportWindow::ReportWindow(Shell& shell, const QString& title, QWidget* parent)
    : FormBase(shell, title, parent)
{
    form_ = new QFormLayout;
    content()->addLayout(form_);
    addCommand(QStringLiteral("OnIzleme"), QStringLiteral("Ön izleme [F2]"), Qt::Key_F2, QString(),
               [this] { preview(); });
    addCommand(QStringLiteral("Yazdirma"), QStringLiteral("Yazdırma [F3]"), Qt::Key_F3, QString(),
               [this] { print(); });
    addCommand(QStringLiteral("Ayar"), QStringLiteral("Ayar [F4]"), Qt::Key_F4, QString(),
               [this] { printerSetup(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] {
                   leaving();
                   closeWindow(QDialog::Accepted);
               });
}

PageSet ReportWindow::pages()
{
    RunningReport running = start();
    return running.renderer ? running.renderer->render() : PageSet();
}

RunningReport ReportWindow::start()
{
    return {};
}

QLineEdit* ReportWindow::addLine(QLineEdit* edit, const QString& hint, const CodeKind* codes)
{
    addField(edit, hint);
    if (codes) {
        new CodeField(shell(), edit, *codes, nullptr, false);
        if (!picks_) {
            picks_ = true;
            addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6,
                       QString(), [this] { pickForFocusedField(); });
        }
    }
    if (fields().size() == 1) edit->setFocus();
    return edit;
}

void ReportWindow::addHeading(const QString& text)
{
    auto* label = new QLabel(text, this);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    form_->addRow(label);
}

TextCriterion ReportWindow::addText(const QString& label, const QString& hint)
{
    auto* edit = new QLineEdit(this);
    form_->addRow(label, edit);
    return TextCriterion(addLine(edit, hint, nullptr));
}

QComboBox* ReportWindow::addList(const QString& label, const QString& hint)
{
    auto* list = new QComboBox(this);
    list->setMinimumWidth(320);
    form_->addRow(label, list);
    addField(list, hint);
    if (fields().size() == 1) list->setFocus();
    return list;
}

CriterionRange<TextCriterion> ReportWindow::addTextRange(const QString& label, const QString& hint,
                                                         const CodeKind* codes)
{
    auto* row = new QHBoxLayout;
    auto* from = new QLineEdit(this);
    auto* to = new QLineEdit(this);
    row->addWidget(from);
    row->addWidget(to);
    form_->addRow(label, row);
    return {TextCriterion(addLine(from, hint, codes)), TextCriterion(addLine(to, hint, codes))};
}

std::vector<TextCriterion>
ReportWindow::addTextRow(const std::vector<std::pair<QString, QString>>& fields)
{
    auto* row = new QHBoxLayout;
    std::vector<TextCriterion> made;
    for (size_t i = 0; i < fields.size(); ++i) {
        auto* edit = new QLineEdit(this);
        if (i > 0) {
            auto* label = new QLabel(fields[i].first, this);
            label->setBuddy(edit);
            row->addWidget(label);
        }
        row->addWidget(edit, 1);
        made.emplace_back(edit);
    }
    form_->addRow(fields.empty() ? QString() : fields.front().first, row);
    for (size_t i = 0; i < fields.size(); ++i)
        addLine(made[i].edit(), fields[i].second, nullptr);
    return made;
}

CriterionRange<DateCriterion>
ReportWindow::addDateRange(const QString& label, const QString& fromHint, const QString& toHint)
{
    auto* row = new QHBoxLayout;
    auto* from = new DateEdit(this);
    auto* to = new DateEdit(this);
    for (QLineEdit* edit : {static_cast<QLineEdit*>(from), static_cast<QLineEdit*>(to)}) {
        edit->setMaxLength(10);
        edit->setMaximumWidth(110);
        row->addWidget(edit);
    }
    row->addStretch();
    form_->addRow(label, row);
    return {DateCriterion(addLine(from, fromHint, nullptr)),
            DateCriterion(addLine(to, toHint, nullptr))};
}

CriterionRange<AmountCriterion> ReportWindow::addAmountRange(const QString& label,
                                                             const QString& hint, int decimals)
{
    auto* row = new QHBoxLayout;
    auto* from = new TZemrakSEdit(this);
    auto* to = new TZemrakSEdit(this);
    for (TZemrakSEdit* edit : {from, to}) {
        edit->setDecimals(decimals);
        row->addWidget(edit);
        addLine(edit, hint, nullptr);
    }
    form_->addRow(label, row);
    return {AmountCriterion(from), AmountCriterion(to)};
}

CodeCriterion ReportWindow::addCode(const QString& label, const QString& hint,
                                    const CodeKind& codes)
{
    auto* row = new QHBoxLayout;
    auto* edit = new QLineEdit(this);
    edit->setMaximumWidth(160);
    auto* title = new QLabel(this);
    row->addWidget(edit);
    row->addWidget(title, 1);
    form_->addRow(label, row);
    addLine(edit, hint, &codes);
    auto* field = CodeField::of(edit);
    field->setTitleLabel(title);
    return CodeCriterion(edit, field);
}

ChoiceCriterion ReportWindow::addChoice(const QString& title, const QStringList& choices,
                                        int chosen)
{
    return ChoiceCriterion(addRadioGroup(title, choices, chosen));
}

CriterionRange<DateCriterion> ReportWindow::addWorkingYear(const QString& label)
{
    const CriterionRange<DateCriterion> dates =
        addDateRange(label, QStringLiteral("Başlangıç tarihini giriniz"),
                     QStringLiteral("Bitiş tarihini giriniz"));
    dates.from.setDate(QDate(workingYear(), 1, 1));
    dates.to.setDate(QDate(workingYear(), 12, 31));
    return dates;
}

void ReportWindow::presetToFirstAndLast(const CriterionRange<TextCriterion>& range,
                                        const QString& table, const QString& index,
                                        const QString& codeField)
{
    Table cards(shell().company->connection(), table);
    cards.setReadFields({codeField});
    cards.setIndexName(index);
    cards.open();
    if (cards.isEmpty()) return;
    range.from.setText(cards[codeField].asString());
    cards.last();
    range.to.setText(cards[codeField].asString());
}

void ReportWindow::focusAfterChoice(const ChoiceCriterion& choice, QWidget* field)
{
    connect(choice.group(), &QButtonGroup::idClicked, field, [field] { field->setFocus(); });
}

void ReportWindow::returnToLastField()
{
    toLast_ = true;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && std::find(fields().begin(), fields().end(), now) != fields().end())
            lastField_ = now;
    });
}

void ReportWindow::keepWholeNumber(const TextCriterion& field)
{
    wholeNumbers_.push_back(field.edit());
    field.edit()->installEventFilter(this);
}

bool ReportWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        for (QLineEdit* edit : wholeNumbers_)
            if (edit == watched) {
                const QString whole = QString::number(SafeStrToInt(edit->text()));
                if (edit->text() != whole) {
                    const bool all = edit->selectedText() == edit->text(); // typed over
                    edit->setText(whole);
                    if (all) edit->selectAll();
                }
            }
    return FormBase::eventFilter(watched, event);
}

void ReportWindow::focusLastFieldAfterChoice(QButtonGroup* group)
{
    connect(group, &QButtonGroup::idClicked, this, [this] {
        if (lastField_)
            lastField_->setFocus();
        else if (!fields().empty())
            fields().front()->setFocus();
    });
}

void ReportWindow::pickForFocusedField()
{
    if (CodeField* field = CodeField::of(QApplication::focusWidget()))
        field->pick(this);
    else if (!fields().empty())
        fields().front()->setFocus();
}

void ReportWindow::updateCommands()
{
    FormBase::updateCommands();
    if (fields().empty() || !isVisible()) return;
    // After any command the focus returns to the first field; a pick list leaves it in the
    // code field it filled.
    if (CodeField::of(QApplication::focusWidget())) return;
    if (toLast_ && lastField_)
        lastField_->setFocus();
    else
        fields().front()->setFocus();
}

bool ReportWindow::letterPaper() const
{
    return shell().install.kagit() == 1;
}

int ReportWindow::workingYear() const
{
    return shell().workingYear ? shell().workingYear : QDate::currentDate().year();
}

void ReportWindow::preview()
{
    RunningReport running = start();
    if (running.renderer)
        showPreview(*running.renderer);
    else
        showPages(pages());
}

void ReportWindow::print()
{
    printPages(pages());
}

void ReportWindow::printerSetup()
{
    ::printerSetup(shell().install, this);
}

void ReportWindow::showPreview(ReportRenderer& renderer)
{
    // The full-screen preview covers the window; hiding a modal window would end it.
    TfrmOnIzle preview(shell(), renderer, this);
    preview.exec();
}

void ReportWindow::printPages(const PageSet& pages)
{
    ::printPages(pages, shell().install, this);
}

void ReportWindow::showPages(PageSet pages)
{
    TfrmOnIzle preview(shell(), std::move(pages), this);
    preview.exec();
}
