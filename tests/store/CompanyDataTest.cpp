#include "store/CompanyData.h"
#include "store/AppError.h"
#include "store/CompanySchema.h"
#include "store/DatabaseCheck.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "support/QtPrinters.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CompanyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<InstallSettings> install;
    std::unique_ptr<StoreSession> session;
    std::unique_ptr<GlobalData> global;

    void SetUp() override
    {
        install = std::make_unique<InstallSettings>(dir.path());
        session = std::make_unique<StoreSession>(dir.filePath("klt"));
        session->addPassword(masterPassword());
        initInstallation(*session, dir.path(), dir.filePath("veri"));
        install->reload();
        global = std::make_unique<GlobalData>(*session, install->dataDirectory());
    }

    void create(const QString& code, CompanySettings settings = {1, 1, 0, "TL", "KR"})
    {
        createCompany(*session, *global, *install, NewCompany{code, "Deneme Ltd.", settings});
    }
};

} // namespace

TEST(Schema, DeclaresTheCompanyTablesInOrder)
{
    const auto& defs = companyTableDefs();
    ASSERT_EQ(defs.size(), 29u);
    QStringList names;
    for (const TableDef& def : defs) {
        names << def.name;
        EXPECT_NO_THROW(def.validate()) << def.name.toStdString();
        EXPECT_EQ(def.fields.front().name, "Nosu");
    }
    EXPECT_EQ(names.mid(0, 6), QStringList({"Cari", "CarHar", "CarFis", "Stok", "StHar", "StFis"}));
    EXPECT_EQ(names.last(), "SipHar");

    const TableDef* cari = findTableDef(defs, "Cari");
    ASSERT_TRUE(cari);
    EXPECT_EQ(cari->fields.size(), 34u);
    const FieldDef& title = cari->fields[size_t(cari->fieldIndex("Unvani"))];
    EXPECT_EQ(title.kind, FieldKind::Text);
    EXPECT_EQ(title.size, 50);
    EXPECT_EQ(cari->fields[size_t(cari->fieldIndex("Resim"))].kind, FieldKind::Picture);
    EXPECT_EQ(cari->fields[size_t(cari->fieldIndex("Not"))].kind, FieldKind::Memo);

    const TableDef* carHar = findTableDef(defs, "CarHar");
    EXPECT_TRUE(carHar->fields[size_t(carHar->fieldIndex("Tarih"))].required);
    EXPECT_TRUE(carHar->fields[size_t(carHar->fieldIndex("CARef"))].required);
    EXPECT_FALSE(carHar->fields[size_t(carHar->fieldIndex("Borc"))].required);
    EXPECT_EQ(carHar->findIndex("CarHar_1")->fields, "Tarih;CARef");
    EXPECT_TRUE(findTableDef(defs, "Fatura")->fields[2].required ||
                findTableDef(defs, "Fatura")->fields[1].required);

    // Purchase-side tables keep their sale-side index names; some tables have none.
    EXPECT_TRUE(findTableDef(defs, "ATaksit")->findIndex("Taksit_2"));
    EXPECT_TRUE(findTableDef(defs, "AOdeme")->findIndex("Odeme_1"));
    EXPECT_EQ(findTableDef(defs, "FatHar")->indexes.size(), 1u);
    EXPECT_EQ(findTableDef(defs, "Siparis")->findIndex("Siparis_3")->fields,
              "TerminTar;Tarih;Saat");
    EXPECT_EQ(findTableDef(globalTableDefs(), "Sirket")->findIndex("Sirket_1")->fields, "SKodu");
}

TEST_F(CompanyTest, CreatedCompanyMatchesTheSchemaAndIsProtected)
{
    create("ABC");
    const QString directory = install->companyDirectory("ABC");
    EXPECT_TRUE(checkDirectory(*session, directory, companyTableDefs()).isEmpty());
    EXPECT_TRUE(checkDirectory(*session, install->dataDirectory(), globalTableDefs()).isEmpty());

    Table& sirket = global->sirket();
    sirket.refresh();
    ASSERT_TRUE(sirket.findKey({"abc"}));
    EXPECT_EQ(sirket["Kutuk"].asString(), directory);
    EXPECT_EQ(sirket["STOK"].asString(), "E");
    EXPECT_EQ(sirket["TAKSITLI"].asString(), "");
    EXPECT_EQ(sirket["Liste"].asString(), "E");
    EXPECT_EQ(sirket["Yil"].asInteger(), QDate::currentDate().year());
    EXPECT_EQ(global->fatPlan().recordCount(), 1);
    EXPECT_EQ(global->fatPlan()["Unvani_T"].asInteger(), 164);

    // Without the master password no table opens.
    StoreSession stranger(dir.filePath("klt2"));
    Connection db(stranger, directory);
    Table cari(db, "Cari");
    EXPECT_THROW(cari.open(), AppError);
}

TEST_F(CompanyTest, CodesAndDirectoriesAreNotCreatedTwice)
{
    create("ABC");
    EXPECT_THROW(create("ABC"), AppError);
    QDir().mkpath(install->companyDirectory("ESKI")); // left behind by a removed company
    EXPECT_THROW(create("ESKI"), AppError);
    EXPECT_THROW(create(""), AppError);
    EXPECT_THROW(create("../X"), AppError);
    global->sirket().refresh();
    EXPECT_EQ(global->sirket().recordCount(), 1);
}

TEST_F(CompanyTest, OpensWithSettingsFormatsAndOpeningIndexes)
{
    create("ABC", CompanySettings{1, 0, 1, "EUR", "CENT"});
    CompanyData company(*session, *install, "ABC");
    EXPECT_TRUE(company.kurus());
    EXPECT_EQ(company.settings().tl, "EUR");
    EXPECT_EQ(company.settings().priceDecimals(), 4);
    EXPECT_EQ(company.displayFormat("CarHar", "Borc"), "#,##0.00");
    EXPECT_EQ(company.displayFormat("Stok", "Fiyat1"), "#,##0.0000");
    EXPECT_EQ(company.displayFormat("StHar", "GMiktari"), "#,##0");
    EXPECT_EQ(company.displayFormat("Fatura", "GZTop"), "#,##0.00");
    EXPECT_EQ(company.table("CarHar").indexName(), "CarHar_1");
    EXPECT_EQ(company.table("ATaksit").indexName(), "Taksit_1");
    EXPECT_EQ(company.table("Cari").indexName(), "");
    EXPECT_EQ(company.table("Siparis").indexName(), "Siparis_2");
    EXPECT_THROW(company.table("Yok"), AppError);
    EXPECT_EQ(company.FormatMoneyText("1234.5"), "1,234.50");
    EXPECT_EQ(company.FormatMoneyText(""), "0.00");
    EXPECT_EQ(company.FormatMoneyText("abc"), "0");
    EXPECT_DOUBLE_EQ(company.RoundMoney(2.675), 2.67);

    create("XYZ", CompanySettings{0, 0, 2, "TL", "KR"});
    CompanyData whole(*session, *install, "XYZ");
    EXPECT_EQ(whole.FormatMoneyText("1234.4"), "1,234");
    EXPECT_EQ(whole.displayFormat("Stok", "Fiyat1"), "#,##0");
    EXPECT_DOUBLE_EQ(whole.RoundMoney(12.5), 12);
    // Two openings one after the other never share a connection name.
    EXPECT_NE(company.connection().name(), whole.connection().name());
}

TEST_F(CompanyTest, LookupsSeekBackAndLocate)
{
    create("ABC");
    CompanyData company(*session, *install, "ABC");
    Table& cari = company.table("Cari");
    for (const char* code : {"M001", "M002", "M001"}) {
        cari.append();
        cari["CariNo"] = code;
        cari["Unvani"] = QStringLiteral("Ünvan %1").arg(cari.recordCount());
        cari.post();
    }
    const qint64 lastM001 = cari.currentId();
    cari.setIndexName("Cari_1");
    cari.first();
    const qint64 before = cari.currentId();
    EXPECT_TRUE(company.CustomerCodeExists("M002"));
    EXPECT_TRUE(company.CustomerCodeExists("m002"));
    EXPECT_FALSE(company.CustomerCodeExists("M00"));
    EXPECT_FALSE(company.CustomerCodeExists(""));
    EXPECT_EQ(cari.currentId(), before); // the shared table keeps its position
    EXPECT_FALSE(company.CustomerHasMovements(lastM001));

    Table& har = company.table("CarHar");
    har.append();
    har["Tarih"] = QDate(2025, 1, 1);
    har["CARef"] = lastM001;
    har.post();
    EXPECT_TRUE(company.CustomerHasMovements(lastM001));

    cari.setFilter("CariNo = 'M002'");
    cari.setFiltered(true);
    EXPECT_TRUE(CompanyData::SeekBackByText(cari, "CariNo", "M001"));
    EXPECT_FALSE(cari.filtered());
    EXPECT_EQ(cari.currentId(), lastM001); // the later of two equal codes
    EXPECT_FALSE(CompanyData::SeekBackByText(cari, "CariNo", "m001")); // exact, case-sensitive
    cari.next();
    EXPECT_FALSE(cari.bof());
    cari.prior();
    EXPECT_TRUE(CompanyData::SeekBackById(cari, before));
    EXPECT_EQ(cari.currentId(), before);
    EXPECT_TRUE(CompanyData::LocateText(cari, "CariNo", "M002"));
    EXPECT_TRUE(CompanyData::LocateInt(har, "CARef", lastM001));
    EXPECT_TRUE(CompanyData::SeekBackByInt(har, "CARef", lastM001));
    EXPECT_FALSE(CompanyData::SeekBackByInt(har, "CARef", 999));
}

TEST_F(CompanyTest, MissingDirectoryOrTableFailsCleanlyAndAnotherCompanyStillOpens)
{
    EXPECT_THROW(CompanyData(*session, *install, "YOK"), AppError);
    create("ABC");
    create("DEF");
    {
        Connection db(*session, install->companyDirectory("DEF"));
        db.dropTable("SipHar");
    }
    try {
        CompanyData broken(*session, *install, "DEF");
        FAIL() << "a company without SipHar opened";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("SipHar")) << e.what();
    }
    CompanyData good(*session, *install, "ABC");
    EXPECT_TRUE(good.table("SipHar").isOpen());
    const QStringList problems =
        checkDirectory(*session, install->companyDirectory("DEF"), companyTableDefs());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.front().contains("SipHar"));
}

TEST_F(CompanyTest, TheCheckComparesTheRealSchemaNotOnlyTheStoredDefinitions)
{
    create("ABC");
    const QString directory = install->companyDirectory("ABC");
    {
        // Changed behind the store's back: an index dropped, another made over a different
        // column, a column's type changed, the stored definitions left as they were.
        Connection db(*session, directory);
        db.exec(R"(DROP INDEX "CarHar__CarHar_2")");
        db.exec(R"(DROP INDEX "Cari__Cari_2")");
        db.exec(R"(CREATE INDEX "Cari__Cari_2" ON "Cari" ("Yetkili"))");
        db.exec(R"(ALTER TABLE "Kasa" RENAME COLUMN "Giren" TO "Eski")");
        db.exec(R"(ALTER TABLE "Kasa" ADD COLUMN "Giren" TEXT)");
    }
    const QStringList problems = checkDirectory(*session, directory, companyTableDefs());
    EXPECT_EQ(problems.size(), 3) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems.join('\n').contains("CarHar__CarHar_2"));
    EXPECT_TRUE(problems.join('\n').contains("Cari__Cari_2"));
    EXPECT_TRUE(problems.join('\n').contains("Kasa.Giren"));
}
