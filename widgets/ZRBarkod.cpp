#include "widgets/ZRBarkod.h"

#include "store/AppError.h"

TZRBarkod::TZRBarkod(QWidget* parent)
    : QLabel(parent)
{
    setScaledContents(true);
    setMinimumSize(60, 30);
    redraw();
}

void TZRBarkod::setBar_Metin(const QString& text)
{
    text_ = text;
    redraw();
}

void TZRBarkod::setBar_Tip(TZemrakBarkod::Tip tip)
{
    tip_ = tip;
    redraw();
}

void TZRBarkod::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    redraw();
}

void TZRBarkod::redraw()
{
    TZemrakBarkod engine;
    engine.tip = tip_;
    engine.Metin = text_;
    engine.Yukseklik = std::max(1, height());
    engine.setModul(1);
    try {
        symbol_ = engine.image();
        setToolTip(QString());
        setPixmap(QPixmap::fromImage(symbol_));
    } catch (const AppError& e) {
        symbol_ = QImage();
        setPixmap(QPixmap());
        setText(e.message());
        setToolTip(e.message());
    }
}
