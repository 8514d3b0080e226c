#include "customers/CariEtiket.h"
#include "printing/OnIzle.h"
#include "store/IniFile.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace CustomerLabels;

TEST_F(WindowTest, CustomerLabelsWindowRingSheetFontAndWhatEscKeeps)
{
    addCustomerCard(*company, "M001", "Firma Bir");
    addCustomerCard(*company, "M002", "Firma İki");
    TfrmCariEtiket w(*shell);
    w.prepare();
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.windowTitle(), "[-ABC-Deneme Ltd.-]  Cari kart Etiket dökümü");
    EXPECT_EQ(QApplication::focusWidget(), w.cards.codes.from.edit());
    EXPECT_EQ(w.sheet[Eki].edit()->text(), "SN:");
    // Up in the first field goes to the 21st.
    key(&w, Qt::Key_Up);
    EXPECT_EQ(QApplication::focusWidget(), w.sheet[Eki].edit());
    // The page length keeps what is typed; the page width is a whole number at every key.
    w.sheet[Uzunluk].setText("4a");
    QTest::keyClick(w.sheet[Uzunluk].edit(), Qt::Key_0);
    EXPECT_EQ(w.sheet[Uzunluk].edit()->text(), "4a0");
    w.sheet[Genislik].setText("");
    QTest::keyClick(w.sheet[Genislik].edit(), Qt::Key_5);
    EXPECT_EQ(w.sheet[Genislik].edit()->text(), "5"); // never empty: "0", typed over
    // A box clicked: the typing goes back to the field last entered.
    w.sheet[Sol].edit()->setFocus();
    w.lines[1]->click();
    EXPECT_EQ(QApplication::focusWidget(), w.sheet[Sol].edit());
    EXPECT_FALSE(w.choice().lines.contact);

    key(&w, Qt::Key_F2);
    EXPECT_EQ(messages.asked.back(), "Etiket ölçüleri hatalı / \"Sayfa Uzunluğu\" tam sayı olmalı: "
                                     "\"4a0\"");
    // A4: the standard sheet fits and the preview opens, in the font chosen with F5.
    w.sheet[Uzunluk].setText("297");
    w.sheet[Genislik].setText("210");
    w.chooseFont = [](const QFont&) { return std::optional<QFont>(QFont("Arial", 10)); };
    key(&w, Qt::Key_F5);
    EXPECT_EQ(w.choice().font.pointSize(), 10);
    int pages = -1;
    whenOpen<TfrmOnIzle>([&pages](TfrmOnIzle* preview) {
        pages = preview->pageCount();
        key(preview, Qt::Key_Escape);
    });
    key(&w, Qt::Key_F2);
    EXPECT_EQ(pages, 1);
    w.sheet[Eki].setText("Sayın");
    key(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    IniFile ini(t.install.usersIniPath());
    EXPECT_EQ(ini.readString("ETIKET", "UZUNLUK"), "297");
    EXPECT_EQ(ini.readString("ETIKET", "EKI"), "Sayın");
    EXPECT_EQ(ini.readString("ETIKET", "KUZUN"), "170");
}
