#pragma once

#include "app/FormBase.h"
#include "printing/DesignDocument.h"

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// "Özellikler" of an element, titled with its name + " - Özellikleri": one page for its kind
// with every value that kind offers (colour, font, text or expression, sizing, alignment,
// frames, transparency, word wrap, shown in the report, aligned to the band; the table and field
// of table-bound kinds with their decimals; the system data; the shape; the picture; the
// angle). "Tamam" applies them all as one step (an expression that does not parse is shown and
// nothing is applied); "Vazgeç" or Esc applies nothing. Bands, charts, amounts in words,
// vertical labels and barcodes have no page (hasPage).
class TfrmOzellik : public FormBase {
    Q_OBJECT
public:
    TfrmOzellik(Shell& shell, DesignDocument& document, const QString& element,
                QWidget* parent = nullptr);
    static bool hasPage(const DesignDocument& document, const QString& item);

    // The system's colour, font and picture choosers; tests answer instead.
    std::function<std::optional<QColor>(const QColor&)> chooseColor;
    std::function<std::optional<QFont>(const QFont&)> chooseFont;
    std::function<QString()> choosePictureFile;
    std::function<QImage()> clipboardPicture;

    // The page's editors by their captions ("Yazı : ", "Expr :", "Transparan" …); null when the
    // page has none.
    QWidget* editor(const QString& caption) const;
    QButtonGroup* choice(const QString& title) const;
    const ElementDef& working() const { return e_; }

private:
    void build();
    void apply();
    QCheckBox* check(const QString& caption, bool on);
    QButtonGroup* radios(const QString& title, const QStringList& choices, int chosen);
    void button(const QString& caption, std::function<void()> action);
    void tableAndField();
    void frames();

    DesignDocument& doc_;
    QString name_;
    ElementDef e_;
    QHash<QString, QWidget*> editors_;
    QHash<QString, QButtonGroup*> choices_;
    QComboBox* table_ = nullptr;
    QComboBox* field_ = nullptr;
};
