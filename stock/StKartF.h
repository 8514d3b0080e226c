#pragma once

#include "app/EntryWindow.h"

#include <array>

class PictureFrame;
class QButtonGroup;
class QLineEdit;

// The stock card: the twenty fields with their hints, the card kind, the picture with its
// display mode and catalogue choice, and for an existing card a panel of what its movements say
// (last purchase and sale, cheapest and dearest prices, quantities in and out).
class TfrmStKartF : public EntryWindow {
    Q_OBJECT
public:
    // Prices: the price change window (TfrmStFiyatF) over the current card, where only the
    // three prices may change.
    enum class Mode { New, NewWithCode, Edit, Prices };
    // Works on the shared Stok table: a new record, or the current one.
    TfrmStKartF(Shell& shell, Table& stok, Mode mode, const QString& code = QString(),
                QWidget* parent = nullptr);

    // The panel's figures as shown, by their captions ("GİREN : ", "ALIŞ Fiyat : " …).
    QString panelText(const QString& caption) const;
    QButtonGroup* kindGroup() const { return kinds_; }
    QButtonGroup* pictureModeGroup() const { return pictureMode_; }
    QButtonGroup* catalogueGroup() const { return catalogue_; }

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSide();
    void fillPanel();
    void showPicture();
    void choosePicture();
    void printLabel();
    std::array<double, 3> typedPrices() const;

    Mode mode_;
    int priceDecimals_;
    QString loadedCode_;
    std::array<double, 3> loadedPrices_{};
    QButtonGroup* kinds_ = nullptr;
    QButtonGroup* pictureMode_ = nullptr;
    QButtonGroup* catalogue_ = nullptr;
    PictureFrame* picture_ = nullptr;
    std::vector<std::pair<QString, QLineEdit*>> panel_;
};
