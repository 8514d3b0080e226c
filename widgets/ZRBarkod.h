#pragma once

#include "widgets/Barkod.h"

#include <QLabel>

// A picture control that shows a barcode: Bar_Metin drawn with Bar_Tip at module 1, as high as
// the control, shown stretched to its size. A text the symbology cannot take shows its error.
class TZRBarkod : public QLabel {
    Q_OBJECT
public:
    explicit TZRBarkod(QWidget* parent = nullptr);

    void setBar_Metin(const QString& text);
    const QString& Bar_Metin() const { return text_; }
    void setBar_Tip(TZemrakBarkod::Tip tip);
    TZemrakBarkod::Tip Bar_Tip() const { return tip_; }
    // The symbol as drawn, before it is stretched to the control.
    const QImage& symbol() const { return symbol_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void redraw();
    QString text_ = QStringLiteral("PRO");
    TZemrakBarkod::Tip tip_ = TZemrakBarkod::bcCode39;
    QImage symbol_;
};
