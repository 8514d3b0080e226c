#pragma once

#include <QLineEdit>

// Codes with a length limit (Uzunluk).
class TZREdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TZREdit(QWidget* parent = nullptr);
    void setUzunluk(int length) { uzunluk_ = length; }
    int uzunluk() const { return uzunluk_; }
    int id = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int uzunluk_ = 10;
};
