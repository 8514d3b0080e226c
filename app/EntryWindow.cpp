#include "app/EntryWindow.h"

#include "app/CodeField.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/Table.h"
#include "store/TextRules.h"
#include "widgets/DateEdit.h"
#include "widgets/TZREdit.h"
#include "widgets/TZemrakEdit.h"
#include "widgets/TZemrakSEdit.h"

#include "widgets/CodeEdit.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

EntryWindow::EntryWindow(Shell& shell, const QString& title, std::vector<FieldSpec> fields,
                         Table* table, QWidget* parent, bool companyCaption)
    : FormBase(shell, title, parent, companyCaption)
    , specs_(std::move(fields))
    , table_(table)
{
    grid_ = new QGridLayout;
    content()->addLayout(grid_);
    content()->addStretch();
    for (size_t i = 0; i < specs_.size(); ++i) {
        const FieldSpec& spec = specs_[i];
        QWidget* editor = makeEditor(spec);
        // Long windows lay their fields out in two columns, filled top to bottom.
        const int rows = specs_.size() > 16 ? int(specs_.size() + 1) / 2 : int(specs_.size());
        const int row = int(i) % rows, column = int(i) / rows * 2;
        if (spec.kind != EditorKind::Check) {
            auto* label = new QLabel(spec.label, this);
            label->setBuddy(editor);
            grid_->addWidget(label, row, column, Qt::AlignRight | Qt::AlignVCenter);
        }
        grid_->addWidget(editor, row, column + 1);
        editors_.push_back(editor);
        addField(editor, spec.hint);
    }
    grid_->setColumnStretch(1, 1);
    grid_->setColumnStretch(3, 1);
    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet [F2]"), Qt::Key_F2, QString(),
               [this] {
                   if (!validate()) return;
                   save();
                   saved();
               });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
               [this] {
                   if (table_) table_->cancel();
                   closeWindow(QDialog::Rejected);
               });
    if (table_) load();
    if (!editors_.empty()) editors_.front()->setFocus();
}

void EntryWindow::setSaveHints(const QString& saveHint, const QString& cancelHint)
{
    commandButton(QStringLiteral("Kaydet"))->setToolTip(saveHint);
    commandButton(QStringLiteral("Vazgec"))->setToolTip(cancelHint);
}

QWidget* EntryWindow::makeEditor(const FieldSpec& spec)
{
    switch (spec.kind) {
    case EditorKind::Code: {
        auto* edit = new CodeEdit(this);
        edit->setUzunluk(spec.size > 0 ? spec.size : 10);
        return edit;
    }
    case EditorKind::Money: {
        auto* edit = new TZemrakSEdit(this);
        edit->setDecimals(spec.size);
        return edit;
    }
    case EditorKind::Number:
    case EditorKind::Integer: {
        auto* edit = new TZemrakEdit(this);
        edit->setEditStyle(spec.kind == EditorKind::Integer ? TZemrakEdit::esInteger
                                                            : TZemrakEdit::esFloat);
        return edit;
    }
    case EditorKind::Date: {
        auto* edit = new DateEdit(this);
        edit->setMaxLength(10);
        edit->setMaximumWidth(110);
        return edit;
    }
    case EditorKind::Memo: {
        auto* edit = new QPlainTextEdit(this);
        edit->setTabChangesFocus(true);
        return edit;
    }
    case EditorKind::Check:
        return new QCheckBox(spec.label, this);
    case EditorKind::Text:
        break;
    }
    auto* edit = new QLineEdit(this);
    if (spec.size > 0) edit->setMaxLength(spec.size);
    return edit;
}

QWidget* EntryWindow::editor(const QString& field) const
{
    for (size_t i = 0; i < specs_.size(); ++i)
        if (specs_[i].field.compare(field, Qt::CaseInsensitive) == 0) return editors_[i];
    return nullptr;
}

bool EntryWindow::checked(int index) const
{
    auto* box = qobject_cast<QCheckBox*>(editors_[size_t(index)]);
    return box && box->isChecked();
}

void EntryWindow::setChecked(int index, bool on)
{
    if (auto* box = qobject_cast<QCheckBox*>(editors_[size_t(index)])) box->setChecked(on);
}

QString EntryWindow::text(int index) const
{
    QWidget* w = editors_[size_t(index)];
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return memo->toPlainText();
    if (auto* box = qobject_cast<QCheckBox*>(w))
        return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    return static_cast<QLineEdit*>(w)->text();
}

void EntryWindow::setText(int index, const QString& text)
{
    QWidget* w = editors_[size_t(index)];
    if (auto* memo = qobject_cast<QPlainTextEdit*>(w))
        memo->setPlainText(text);
    else if (auto* money = qobject_cast<TZemrakSEdit*>(w))
        money->setAsFloat(text.toDouble());
    else if (auto* box = qobject_cast<QCheckBox*>(w))
        box->setChecked(text == QLatin1String("1"));
    else
        static_cast<QLineEdit*>(w)->setText(text);
}

void EntryWindow::setNumber(int index, double v)
{
    if (auto* money = qobject_cast<TZemrakSEdit*>(editors_[size_t(index)]))
        money->setAsFloat(v);
    else if (auto* free = qobject_cast<TZemrakEdit*>(editors_[size_t(index)]))
        free->setAsFloat(v);
}

QVariant EntryWindow::value(int index) const
{
    QWidget* w = editors_[size_t(index)];
    if (auto* money = qobject_cast<TZemrakSEdit*>(w)) return money->asFloat();
    if (auto* box = qobject_cast<QCheckBox*>(w)) return box->isChecked();
    if (auto* number = qobject_cast<TZemrakEdit*>(w))
        return specs_[size_t(index)].kind == EditorKind::Integer ? QVariant(number->asInteger())
                                                                 : QVariant(number->asFloat());
    if (specs_[size_t(index)].kind == EditorKind::Date) {
        const QString normal = NormalizeDateText(text(index));
        if (normal.isEmpty() && !text(index).trimmed().isEmpty())
            throw AppError(QStringLiteral("Tarih hatalı: %1").arg(text(index)),
                           specs_[size_t(index)].label.trimmed());
        return normal.isEmpty() ? QVariant()
                                : QVariant(QDate::fromString(normal, QStringLiteral("dd.MM.yyyy")));
    }
    return text(index);
}

void EntryWindow::load()
{
    for (size_t i = 0; i < specs_.size(); ++i) {
        if (specs_[i].field.isEmpty()) continue;
        const FieldRef field = table_->fieldByName(specs_[i].field);
        QWidget* w = editors_[i];
        if (auto* money = qobject_cast<TZemrakSEdit*>(w))
            money->setAsFloat(field.asFloat());
        else if (auto* number = qobject_cast<TZemrakEdit*>(w))
            number->setAsFloat(field.asFloat());
        else if (auto* box = qobject_cast<QCheckBox*>(w))
            box->setChecked(field.asInteger() != 0);
        else
            setText(int(i), field.asString());
    }
}

void EntryWindow::save()
{
    if (!table_) return;
    CommandTransaction::run(table_->connection(), [&] {
        if (table_->state() == Table::State::Browse) table_->edit();
        for (size_t i = 0; i < specs_.size(); ++i)
            if (!specs_[i].field.isEmpty())
                table_->fieldByName(specs_[i].field).setValue(value(int(i)));
        table_->post();
    });
}

void EntryWindow::addCardListCommand(CodeField* code, int titleField, int nextField, bool* picking)
{
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this, code, titleField, nextField, picking] {
                   if (picking) *picking = true;
                   code->pick(this);
                   if (picking) *picking = false;
                   if (titleField >= 0 && code->id()) setText(titleField, code->title());
                   // After the list has closed and handed the focus back.
                   if (nextField >= 0)
                       QTimer::singleShot(0, this,
                                          [this, nextField] { editor(nextField)->setFocus(); });
               });
}
