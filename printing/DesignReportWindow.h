#pragma once

#include "app/FormBase.h"
#include "printing/DesignDocument.h"

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

// "Rapor ayarları" of the report being designed: the page ("Sayfa ebadı": paper, width, length,
// orientation), the margins with the column spacing and count, the units the lengths are shown
// in, the report font and its size, the page frame (" Sayfa kenarlıkları"), the standard bands
// with their lengths (" Band ayarları "; a band ticked off goes with its elements), and whether
// the first page prints its page header and the last its page footer. "Tamam" applies all as one
// step, refusing what cannot print by its value; "Vazgeç" or Esc applies nothing.
class TfrmRaporAyar : public FormBase {
    Q_OBJECT
public:
    TfrmRaporAyar(Shell& shell, DesignDocument& document, QWidget* parent = nullptr);

    std::function<std::optional<QFont>(const QFont&)> chooseFont;

    QDoubleSpinBox* length(const QString& caption) const; // "Genişlik : ", "Üst : " …
    QSpinBox* columns() const { return columns_; }
    QComboBox* paper() const { return paper_; }
    QButtonGroup* orientation() const { return orientation_; }
    QButtonGroup* units() const { return units_; }
    QCheckBox* box(const QString& caption) const; // frames, bands, first/last page
    QDoubleSpinBox* bandLength(int standard) const { return bandLengths_[size_t(standard)]; }
    QCheckBox* bandShown(int standard) const { return bandShown_[size_t(standard)]; }
    static const std::vector<BandKind>& standardBands();

private:
    void apply();

    DesignDocument& doc_;
    QFont font_;
    QComboBox* paper_ = nullptr;
    QButtonGroup* orientation_ = nullptr;
    QButtonGroup* units_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* fontSize_ = nullptr;
    int shownUnit_ = 0;
    QHash<QString, QDoubleSpinBox*> lengths_;
    QHash<QString, QCheckBox*> boxes_;
    std::vector<QDoubleSpinBox*> bandLengths_;
    std::vector<QCheckBox*> bandShown_;
};
