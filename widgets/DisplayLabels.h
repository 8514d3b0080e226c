#pragma once

#include <QFrame>
#include <QLabel>

class QTimer;

// A label that writes its text vertically (VerticalText). Setting `Cevir` converts the caption
// once, with `Bosluk` blanks of step per line, and returns to false.
class TZemrakRLabel : public QLabel {
    Q_OBJECT
public:
    explicit TZemrakRLabel(const QString& caption = QString(), QWidget* parent = nullptr);
    int bosluk() const { return bosluk_; }
    void setBosluk(int blanks) { bosluk_ = blanks; }
    bool cevir() const { return false; }
    void setCevir(bool on);
    // The caption as stored (with its line feeds and carriage returns).
    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

private:
    QString caption_;
    int bosluk_ = 0;
};

// The read-only panels: a single-line border, font size 10, 120 × 21, the window's colour, and
// a label filling the panel.
class PanelBase : public QFrame {
    Q_OBJECT
public:
    explicit PanelBase(QWidget* parent = nullptr);
    QLabel* label() const { return label_; }

protected:
    QLabel* label_;
};

// The number panel: `AsFloat` shown grouped by thousands with its fraction as written
// (PanelNumberText), right-aligned. Creating one changes no program-wide setting.
class TZRpnlSayi : public PanelBase {
    Q_OBJECT
public:
    explicit TZRpnlSayi(QWidget* parent = nullptr);
    double asFloat() const;
    void setAsFloat(double value);
    QString caption() const { return label_->text(); }
};

// The text panel: `Yazi` with its `Alignment`.
class TZRpnlYazi : public PanelBase {
    Q_OBJECT
public:
    explicit TZRpnlYazi(QWidget* parent = nullptr);
    QString yazi() const { return label_->text(); }
    void setYazi(const QString& text);
    void setAlignment(Qt::Alignment alignment);
};
using TpnlYazi = TZRpnlYazi;

// The marquee: every `Zaman` milliseconds the caption moves one character (MarqueeStep).
class TZemrakKayanLabel : public QLabel {
    Q_OBJECT
public:
    explicit TZemrakKayanLabel(const QString& caption = QString(), QWidget* parent = nullptr);
    int zaman() const;
    void setZaman(int milliseconds);
    bool soldanSaga() const { return soldanSaga_; }
    void setSoldanSaga(bool on) { soldanSaga_ = on; }
    void tick(); // one step, as the timer takes it

private:
    QTimer* timer_;
    bool soldanSaga_ = true;
};
