#include "widgets/DisplayLabels.h"

#include "widgets/DisplayText.h"

#include <QHBoxLayout>
#include <QTimer>

TZemrakRLabel::TZemrakRLabel(const QString& caption, QWidget* parent)
    : QLabel(parent)
{
    setCaption(caption);
}

void TZemrakRLabel::setCaption(const QString& caption)
{
    caption_ = caption;
    setText(DrawnLines(caption));
}

void TZemrakRLabel::setCevir(bool on)
{
    if (!on) return;
    // Converted once: the stored caption holds the vertical form from now on.
    setCaption(VerticalText(caption_, bosluk_));
    setAlignment(bosluk_ == 0 ? Qt::AlignHCenter | Qt::AlignVCenter
                              : Qt::AlignLeft | Qt::AlignVCenter);
    adjustSize();
}

PanelBase::PanelBase(QWidget* parent)
    : QFrame(parent)
    , label_(new QLabel(this))
{
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    setFixedHeight(21);
    setMinimumWidth(120);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(3, 0, 3, 0);
    layout->addWidget(label_);
    label_->setForegroundRole(QPalette::WindowText);
}

TZRpnlSayi::TZRpnlSayi(QWidget* parent)
    : PanelBase(parent)
{
    label_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label_->setText(QStringLiteral("0"));
}

double TZRpnlSayi::asFloat() const
{
    return PanelNumberValue(label_->text());
}

void TZRpnlSayi::setAsFloat(double value)
{
    label_->setText(PanelNumberText(value));
}

TZRpnlYazi::TZRpnlYazi(QWidget* parent)
    : PanelBase(parent)
{
    label_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void TZRpnlYazi::setYazi(const QString& text)
{
    label_->setText(text);
}

void TZRpnlYazi::setAlignment(Qt::Alignment alignment)
{
    label_->setAlignment(alignment | Qt::AlignVCenter);
}

TZemrakKayanLabel::TZemrakKayanLabel(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
    , timer_(new QTimer(this))
{
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &TZemrakKayanLabel::tick);
    timer_->start();
}

int TZemrakKayanLabel::zaman() const
{
    return timer_->interval();
}

void TZemrakKayanLabel::setZaman(int milliseconds)
{
    timer_->setInterval(milliseconds);
}

void TZemrakKayanLabel::tick()
{
    setText(MarqueeStep(text(), soldanSaga_));
}
