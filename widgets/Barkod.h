#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <array>

class QPainter;

// The barcode engine: a text and a symbology give a string of elements ("0"–"3" spaces and
// "5"–"8" bars of width class 1 to 4), drawn as filled rectangles without a quiet zone.
// EAN-13, EAN-8, UPC-A and Code 39 are made; the other symbologies raise a clear error
// instead of drawing something a scanner would misread.
class TZemrakBarkod {
public:
    enum Tip {
        bcCode_2_5_interleaved,
        bcCode_2_5_industrial,
        bcCode_2_5_matrix,
        bcCode39,
        bcCode39Extended,
        bcCode128A,
        bcCode128B,
        bcCode128C,
        bcCode93,
        bcCode93Extended,
        bcCodeMSI,
        bcCodePostNet,
        bcCodeCodabar,
        bcCodeEAN8,
        bcCodeEAN13,
        bcCodeUPC_A,
        bcCodeUPC_E0,
        bcCodeUPC_E1,
        bcCodeUPC_Supp2,
        bcCodeUPC_Supp5,
        bcCodeEAN128A,
        bcCodeEAN128B,
        bcCodeEAN128C
    };
    enum CheckMethod { csmNone, csmModulo10 };

    QString Metin;
    Tip tip = bcCodeEAN13;
    double Oran = 2.0;
    int Yukseklik = 0;
    int Sol = 0, Ust = 0;
    double Aci = 0;
    bool IslemKontrolu = false;
    CheckMethod IslemKontrolMetodu = csmModulo10;
    QColor RenkBar = Qt::black;
    QColor RenkBosluk = Qt::white;

    void setModul(int modul); // values outside 1..49 are ignored
    int modul() const { return modul_; }

    // The element string; throws AppError ("Barcode must be numeric", "Invalid Text len (EAN13)",
    // "Invalid Text len (EAN8)", a character Code 39 cannot encode, or an unsupported type).
    QString elements() const;
    // Widths in pixels of the four width classes, after the ratio limits of the type.
    std::array<int, 4> widths() const;
    int Genislik() const; // total width in pixels
    void draw(QPainter& painter) const;
    // The symbol alone: Genislik wide, Yukseklik high.
    QImage image() const;

    static QString typeName(Tip tip);

private:
    int modul_ = 1;
};
