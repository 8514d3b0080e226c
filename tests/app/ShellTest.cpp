#include "app/Desktop.h"
#include "app/MainWindow.h"
#include "app/Sifre.h"
#include "app/SirketBilgi.h"
#include "app/SirketListe.h"
#include "app/SirketSec.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "store/Table.h"
#include "support/Installation.h"
#include "support/ScriptedMessages.h"
#include "support/TypeText.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// Sends a key to the focused widget of `window`, or to the window itself.
void key(QWidget* window, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && focus->window() == window ? focus : window, Qt::Key(k), m);
}

// An installation with two companies: ABC (all modules) and STK (stock only).
class ShellTest : public ::testing::Test {
protected:
    TestInstallation installation;
    QTemporaryDir& dir = installation.dir;
    ScriptedMessages messages;
    std::unique_ptr<MainWindow> main;

    void SetUp() override
    {
        installation.createCompany(NewCompany{"ABC", "Deneme Ltd."});
        NewCompany stock{"STK", "Stokçu"};
        stock.modulesOff = {"FATURA", "CARI", "CEKSENET", "KASA", "NAKLIYE", "SIPARIS"};
        installation.createCompany(stock);
        main = std::make_unique<MainWindow>(dir.path(), &messages, false);
        main->show();
        ASSERT_TRUE(main->openGlobalData());
        main->setRights(allRights());
    }

    void open(const QString& code)
    {
        main->shell().companyIsOpen = true;
        main->shell().activeCompanyCode = code;
        main->openOrClearCompany();
    }

    QStringList topLevel() const
    {
        QStringList list;
        for (int i = 0; i < main->tree()->topLevelItemCount(); ++i)
            list << main->tree()->topLevelItem(i)->text(0);
        return list;
    }
};

} // namespace

TEST_F(ShellTest, OpeningCompaniesBuildsTheTreeAndTheCaption)
{
    EXPECT_EQ(main->caption(), "Orsil DULVET");
    open("ABC");
    EXPECT_EQ(main->caption(), "Orsil DULVET  [ -ABC- ] şirketi ile çalışıyorsunuz");
    EXPECT_EQ(main->shell().activeCompanyTitle, "Deneme Ltd.");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "ABC Deneme Ltd."); // the program's title
    EXPECT_EQ(main->shell().workingYear, QDate::currentDate().year());
    EXPECT_EQ(topLevel().size(), 7);
    open("STK");
    EXPECT_EQ(topLevel(), QStringList({"STOK"}));
    EXPECT_EQ(main->caption(), "Orsil DULVET  [ -STK- ] şirketi ile çalışıyorsunuz");
    open("YOK"); // a code without a company directory: told, and no company stays open
    EXPECT_EQ(messages.asked.size(), 1);
    messages.asked.clear();
    EXPECT_FALSE(main->shell().companyIsOpen);
    EXPECT_TRUE(topLevel().isEmpty());
    EXPECT_EQ(main->caption(), "Orsil DULVET");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "DULVET 3");
    EXPECT_FALSE(main->button("Devir")->isEnabled());

    main->setRights(AccessRights().set(13)); // stock cards only
    open("STK");
    QTreeWidgetItem* stok = main->tree()->topLevelItem(0);
    ASSERT_EQ(stok->childCount(), 1);
    EXPECT_EQ(stok->child(0)->text(0), "Kartlar");
    // Enter on a branch or on a leaf without a window yet changes nothing.
    main->tree()->setFocus();
    main->tree()->setCurrentItem(stok);
    QTest::keyClick(main->tree(), Qt::Key_Return);
    main->tree()->setCurrentItem(stok->child(0)->child(0));
    QTest::keyClick(main->tree(), Qt::Key_Return);
    EXPECT_TRUE(main->panel()->isVisible());
    EXPECT_TRUE(messages.asked.isEmpty());
}

TEST_F(ShellTest, TheMainWindowCoversTheScreenAndItsPanelIsNotBlack)
{
    Desktop::showCoveringScreen(*main); // without a window manager too
    QApplication::processEvents();
    EXPECT_EQ(main->geometry(), main->screen()->geometry());
    // The panel has the application's colours of its own, not the black background's: the
    // logo's text shows.
    const QPalette colours = main->panel()->palette();
    EXPECT_EQ(colours.color(QPalette::Window), QApplication::palette().color(QPalette::Window));
    EXPECT_NE(colours.color(QPalette::Window), colours.color(QPalette::WindowText));
    open("ABC");
    EXPECT_FALSE(main->tree()->topLevelItem(0)->icon(0).isNull()); // the tree has its images
}

TEST_F(ShellTest, EscapeAsksBeforeEndingAndAltF4DoesNothing)
{
    main->activateWindow();
    messages.answers = {0};
    QTest::keyClick(main.get(), Qt::Key_Escape);
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.front(), "Programdan çıkmak istediğinize / emin misiniz?");
    EXPECT_TRUE(main->isVisible());
    QTest::keyClick(main.get(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_FALSE(main->close());
    messages.answers = {1};
    QTest::keyClick(main.get(), Qt::Key_Escape);
    EXPECT_FALSE(main->isVisible());
}

TEST_F(ShellTest, PasswordWindowCountsFailures)
{
    AccessConfig config;
    config.protection = true;
    config.generalPassword = "genel";
    config.userPasswords = {"u1", "u2", "u3", ""};
    config.userRights[3].set(13);
    TfrmSifre window(main->shell(), config);
    window.show();
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) {
        QTest::keyClicks(window.passwordEdit(), "yanlis");
        QTest::keyClick(window.passwordEdit(), Qt::Key_Return);
        EXPECT_TRUE(window.passwordEdit()->text().isEmpty());
    }
    EXPECT_EQ(messages.asked.size(), 3);
    EXPECT_EQ(messages.asked.front(), "Hatalı şifre!!! / ");
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(window.passwordEdit(), Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(window.isVisible());
    QTest::keyClicks(window.passwordEdit(), "yanlis");
    QTest::keyClick(window.passwordEdit(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible()); // the fourth failure ends the program
    EXPECT_FALSE(window.rights().has_value());
    EXPECT_EQ(messages.asked.size(), 3);

    TfrmSifre again(main->shell(), config);
    again.show();
    QApplication::processEvents();
    QTest::keyClick(again.passwordEdit(), Qt::Key_Return); // empty: user 4
    ASSERT_TRUE(again.rights().has_value());
    EXPECT_EQ(*again.rights(), AccessRights().set(13));
    EXPECT_EQ(AskAccessPassword(main->shell(), AccessConfig{}),
              allRights()); // protection off: no window
}

TEST_F(ShellTest, CompanyWindowCreatesACompanyAndRefusesAnExistingDirectory)
{
    TfrmSirketBilgi window(main->shell(), QString());
    window.prepare();
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.windowTitle(), "Yeni şirket açılır");
    EXPECT_TRUE(window.moduleBox("STOK")->isChecked());
    QTest::keyClicks(window.codeEdit(), "abc1");
    EXPECT_EQ(window.codeEdit()->text(), "ABC1"); // typed in capitals
    QTest::keyClick(window.codeEdit(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), window.titleEdit());
    typeText(window.titleEdit(), "yeni şirket");
    window.moduleBox("KASA")->setChecked(false);
    key(&window, Qt::Key_F2);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.asked.isEmpty()) << messages.asked.join("; ").toStdString();
    Table& sirket = main->shell().global->sirket();
    sirket.refresh();
    ASSERT_TRUE(sirket.findKey({"ABC1"}));
    EXPECT_EQ(sirket["Aciklama"].asString(), "YENİ ŞİRKET");
    EXPECT_EQ(sirket["KASA"].asString(), "H");
    EXPECT_EQ(sirket["STOK"].asString(), "E");
    EXPECT_TRUE(QFileInfo::exists(main->shell().install.companyDirectory("ABC1") + "/Ayar.ini"));

    // A directory left behind by a removed company: refused, no record.
    QDir().mkpath(main->shell().install.companyDirectory("ESKI"));
    TfrmSirketBilgi second(main->shell(), QString());
    second.prepare();
    second.show();
    QApplication::processEvents();
    QTest::keyClicks(second.codeEdit(), "ESKI");
    key(&second, Qt::Key_F2);
    EXPECT_FALSE(second.isVisible());
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(
        messages.asked.front().startsWith("Şirket kodunda önceden kayıt edilmiş dizin var"));
    sirket.refresh();
    EXPECT_FALSE(sirket.findKey({"ESKI"}));
    for (const char* bad : {"A/B", "..", "A.B"}) {
        TfrmSirketBilgi refused(main->shell(), QString());
        refused.prepare();
        refused.show();
        QApplication::processEvents();
        refused.codeEdit()->setText(bad);
        key(&refused, Qt::Key_F2);
        EXPECT_FALSE(refused.isVisible());
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("veri/A")));
}

TEST_F(ShellTest, CompanyListRefusesToRemoveTheOpenCompany)
{
    open("ABC");
    Table sirket(main->shell().global->connection(), "Sirket");
    sirket.setIndexName("Sirket_1");
    sirket.open();
    TfrmSirket list(main->shell(), sirket);
    list.prepare();
    list.show();
    QApplication::processEvents();
    ASSERT_TRUE(sirket.findKey({"ABC"}));
    list.reload();
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    ASSERT_EQ(messages.asked.size(), 3);
    EXPECT_EQ(messages.asked.last(), "Çalışmakta olduğunuz / şirketi silemezsiniz !!");
    EXPECT_EQ(sirket.recordCount(), 2);

    ASSERT_TRUE(sirket.findKey({"STK"}));
    list.reload();
    messages.answers = {1, 1};
    key(&list, Qt::Key_F4);
    EXPECT_EQ(sirket.recordCount(), 1);
    EXPECT_TRUE(
        QFileInfo::exists(main->shell().install.companyDirectory("STK"))); // the directory stays
    EXPECT_TRUE(main->shell().companyIsOpen);
}

TEST_F(ShellTest, CompanySelectionTakesCapitalsAndThePickList)
{
    TfrmSirketSec window(main->shell());
    window.prepare();
    window.show();
    QApplication::processEvents();
    QTest::keyClicks(window.codeEdit(), "yok");
    QTest::keyClick(window.codeEdit(), Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_EQ(messages.asked.front(), "Şirket kodu bulunamadı / tekrar deneyiniz !!");
    EXPECT_FALSE(main->shell().companyIsOpen);

    // F6: the pick list; Esc there takes the highlighted code too.
    QTimer::singleShot(0, [] {
        if (QWidget* pick = QApplication::activeModalWidget())
            QTest::keyClick(pick, Qt::Key_Escape);
    });
    window.codeEdit()->clear();
    QTest::keyClick(window.codeEdit(), Qt::Key_F6);
    EXPECT_FALSE(window.codeEdit()->text().isEmpty());
    window.codeEdit()->clear();
    QTest::keyClicks(window.codeEdit(), "stk");
    EXPECT_EQ(window.codeEdit()->text(), "STK");
    QTest::keyClick(window.codeEdit(), Qt::Key_Return);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(main->shell().companyIsOpen);
    EXPECT_EQ(main->shell().activeCompanyCode, "STK");
}
