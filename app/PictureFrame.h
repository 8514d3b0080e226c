#pragma once

#include <QLabel>

// A card's picture: shown unscaled or fitted into the frame, "Resim yok" when there is none.
class PictureFrame : public QLabel {
    Q_OBJECT
public:
    PictureFrame(QSize size, QWidget* parent = nullptr);
    // Shows the picture in `bytes` (any format the program reads).
    void show(const QByteArray& bytes);
    void setFitted(bool fitted);
    bool fitted() const { return fitted_; }

    // The picture chooser titled `title`: the bytes of the chosen picture, empty when the user
    // chose none. A file that cannot be read or is not a picture is refused (AppError) and
    // nothing changes.
    static QByteArray choose(QWidget* parent, const QString& title);

private:
    void refresh();
    QByteArray bytes_;
    bool fitted_ = false;
};
