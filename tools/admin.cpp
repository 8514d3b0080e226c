// dulvet-admin: installations, companies, demo books and checks, for administrators and for
// our own tests and benchmarks.
#include "Subsystems.h"
#include "app/AccessConfig.h"
#include "cash/CashDemo.h"
#include "instalments/InstalmentDemo.h"
#include "invoicing/InvoiceDemo.h"
#include "invoicing/VatRates.h"
#include "orders/OrderDemo.h"
#include "portfolio/PortfolioDemo.h"
#include "printing/Exports.h"
#include "printing/TextPrint.h"
#include "store/AppError.h"
#include "store/Backup.h"
#include "store/CompanyData.h"
#include "store/CompanyMove.h"
#include "store/CompanySchema.h"
#include "store/DatabaseCheck.h"
#include "store/DemoBooks.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QTextStream out(stdout);
QTextStream err(stderr);

const ReportRegistry& reportRegistry()
{
    static const ReportRegistry reports = [] {
        ReportRegistry r;
        registerReports(r);
        return r;
    }();
    return reports;
}

// Exit codes, as the usage text lists them.
constexpr int kExitOk = 0, kExitError = 1, kExitUsage = 2, kExitProblems = 3;

// The usage text: on standard output with exit code 0 when asked for (--help), on standard
// error with exit code 2 after a wrong command line.
int usage(bool asked = false)
{
    QTextStream& err = asked ? out : ::err;
    err << "Kullanım:\n"
           "  dulvet-admin init DIZIN [--data VERI_DIZINI]\n"
           "  dulvet-admin migrate DIZIN KOD --to-server|--to-files\n"
           "  dulvet-admin company DIZIN KOD UNVAN\n"
           "  dulvet-admin demo DIZIN KOD --size small|large\n"
           "  dulvet-admin check DIZIN [KOD]\n"
           "  dulvet-admin access DIZIN off\n"
           "  dulvet-admin access DIZIN on GENEL_SIFRE [--user N SIFRE HAKLAR]...\n"
           "      HAKLAR: virgülle ayrılmış hak numaraları (1-30), örneğin 2,3,5,28\n"
           "  dulvet-admin backup DIZIN [KOD] [--to YEDEK_DIZINI]\n"
           "  dulvet-admin restore DIZIN YEDEK_DOSYASI ESKI_KOD YENI_KOD\n"
           "  dulvet-admin backups DIZIN [YEDEK_DIZINI]\n"
           "  dulvet-admin report DIZIN SIRKET KOD --format pdf|xls|txt|jpg|qrp|prn --out DOSYA "
           "[SEÇENEKLER]\n"
           "      prn: dos yazıcısına gidecek baytlar; --pitch 10|17 yazı sıklığı, --lines N "
           "sayfa boyu (yoksa Users.ini)\n"
           "      SIRKET '-' olabilir (şirket gerekmeyen raporlar). Raporlar ve seçenekleri:\n";
    for (const auto& [code, report] : reportRegistry().reports()) {
        err << "      " << code << "  " << report.title << "\n";
        for (const ReportOption& option : report.options)
            err << "            --" << option.name << " " << option.value << "  " << option.help
                << "\n";
    }
    err << "DIZIN, Users.ini dosyasının bulunduğu program dizinidir.\n"
           "--server 'host=… port=… dbname=… user=…' her komutta kullanılacak PostgreSQL\n"
           "  sunucusunu verir (yoksa Users.ini [SERVER] PGSUNUCU); init onu Users.ini'ye "
           "yazar.\n"
           "  Parola PGPASSWORD ya da ~/.pgpass ile verilir, hiçbir dosyaya yazılmaz.\n"
           "  dulvet-admin --help | --version, ya da KOMUT --help\n"
           "Çıkış kodları: 0 tamam; 1 hata (iletisi yazılır); 2 yanlış kullanım; 3 'check' "
           "sorun buldu.\n";
    err.flush();
    return asked ? kExitOk : kExitUsage;
}

// Qt's own start-up notes (a missing runtime directory, a font not found) are not this
// program's output: only what Qt calls critical reaches the terminal.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) ::err << message << "\n", ::err.flush();
}

// The server given with --server for this run; it stands before Users.ini's.
QString serverOption;

std::optional<ServerSettings> serverOf(const InstallSettings& install)
{
    return serverOption.isEmpty() ? install.server() : ServerSettings::parse(serverOption);
}

struct Setup {
    InstallSettings install;
    StoreSession session;
    explicit Setup(const QString& programDir)
        : install(programDir)
        , session(install.privateRoot())
    {
        if (!QFileInfo::exists(install.usersIniPath()))
            throw AppError(
                QStringLiteral(
                    "%1 bir kurulum dizini değil (Users.ini yok); önce 'init' çalıştırın.")
                    .arg(programDir));
        session.addPassword(masterPassword());
        session.setServer(serverOf(install), install.dataDirectory());
    }
};

qint64 directorySize(const QString& path)
{
    qint64 total = 0;
    for (const QFileInfo& info : QDir(path).entryInfoList(QDir::Files | QDir::Hidden))
        total += info.size();
    return total;
}

int init(const QStringList& args)
{
    if (args.size() != 1 && !(args.size() == 3 && args[1] == QLatin1String("--data")))
        return usage();
    const QString programDir = QDir(args[0]).absolutePath();
    const QString dataDir = args.size() == 3 ? QDir(args[2]).absolutePath()
                                             : QDir(programDir).filePath(QStringLiteral("veri"));
    QDir().mkpath(programDir);
    InstallSettings install(programDir);
    if (!serverOption.isEmpty()) {
        ServerSettings::parse(serverOption); // a connection string that cannot be read stops here
        install.ini().writeString(QStringLiteral("SERVER"), QStringLiteral("PGSUNUCU"),
                                  serverOption);
    }
    StoreSession session(install.privateRoot());
    session.addPassword(masterPassword());
    initInstallation(session, programDir, dataDir);
    out << "Kurulum hazır: " << programDir << " (veri dizini "
        << InstallSettings(programDir).dataDirectory() << ")\n";
    return 0;
}

int migrate(const QStringList& args)
{
    if (args.size() != 3 ||
        (args[2] != QLatin1String("--to-server") && args[2] != QLatin1String("--to-files")))
        return usage();
    InstallSettings install(QDir(args[0]).absolutePath());
    if (!QFileInfo::exists(install.usersIniPath()))
        throw AppError(QStringLiteral("%1 bir kurulum dizini değil (Users.ini yok).").arg(args[0]));
    const std::optional<ServerSettings> server = serverOf(install);
    if (!server)
        throw AppError(QStringLiteral("Sunucu verilmedi."),
                       QStringLiteral("--server ile ya da Users.ini [SERVER] PGSUNUCU ile verin."));
    const QString code = args[1].toUpper();
    const bool toServer = args[2] == QLatin1String("--to-server");
    QElapsedTimer timer;
    timer.start();
    moveCompanyBooks(install, *server, code,
                     toServer ? MoveDirection::ToServer : MoveDirection::ToFiles,
                     [](const QString& table) {
                         out << "  " << table << "\n";
                         out.flush();
                     });
    out << QStringLiteral("%1 şirketi %2 taşındı ve tablo tablo denetlendi (%3 s).\n")
               .arg(code, toServer ? QStringLiteral("sunucuya") : QStringLiteral("dosyaya"))
               .arg(timer.elapsed() / 1000.0, 0, 'f', 1);
    if (toServer && !install.server())
        out << "Kurulumun sunucudan çalışması için Users.ini [SERVER] bölümüne PGSUNUCU "
               "yazılmalı.\n";
    return 0;
}

int company(const QStringList& args)
{
    if (args.size() != 3) return usage();
    Setup setup(args[0]);
    GlobalData global(setup.session, setup.install.dataDirectory());
    createCompany(setup.session, global, setup.install, NewCompany{args[1].toUpper(), args[2]});
    out << "Şirket açıldı: " << args[1].toUpper() << "\n";
    return 0;
}

int demo(const QStringList& args)
{
    if (args.size() != 4 || args[2] != QLatin1String("--size") ||
        (args[3] != QLatin1String("small") && args[3] != QLatin1String("large")))
        return usage();
    Setup setup(args[0]);
    const QString code = args[1].toUpper();
    {
        GlobalData global(setup.session, setup.install.dataDirectory());
        if (!global.CompanyCodeExists(code))
            createCompany(setup.session, global, setup.install,
                          NewCompany{code, QStringLiteral("Örnek Ticaret Ltd. Şti.")});
    }
    QElapsedTimer timer;
    timer.start();
    CompanyData data(setup.session, setup.install, code);
    if (!data.table(QStringLiteral("Cari")).isEmpty())
        throw AppError(
            QStringLiteral("%1 şirketinde kayıt var; örnek kayıtlar yalnız boş şirkete yazılır.")
                .arg(code));
    const auto progress = [](const QString& line) {
        out << line << "\n";
        out.flush();
    };
    const bool large = args[3] == QLatin1String("large");
    fillDemoBooks(data, large ? DemoSize::large() : DemoSize::small(), progress);
    fillDemoSlips(data, large ? 3000 : 4, large ? 2000 : 2, progress);
    fillDemoInvoices(data, large ? 25000 : 6, large, progress);
    fillDemoPapers(data, large ? PortfolioDemoSize::large() : PortfolioDemoSize::small(), progress);
    fillDemoInstalments(data, large ? 10000 : 4, large ? 2000 : 2, progress);
    fillDemoOrders(data, large ? 14000 : 6, large ? 6000 : 6, progress);
    // The VAT summary and the printed invoice list the rates of the demo cards.
    if (VatRates::read(setup.install.programDir()).isEmpty())
        VatRates::write(setup.install.programDir(),
                        {QStringLiteral("18"), QStringLiteral("8"), QStringLiteral("1")});
    out << QStringLiteral("Örnek kayıtlar yazıldı: %1 s, veritabanı %2 MB\n")
               .arg(timer.elapsed() / 1000.0, 0, 'f', 1)
               .arg(directorySize(data.directory()) / 1048576.0, 0, 'f', 1);
    return 0;
}

int check(const QStringList& args)
{
    if (args.size() != 1 && args.size() != 2) return usage();
    Setup setup(args[0]);
    QStringList problems;
    const auto run = [&](const QString& label, const QString& dir,
                         const std::vector<TableDef>& defs) {
        const QStringList found = checkDirectory(setup.session, dir, defs);
        out << label << ": "
            << (found.isEmpty() ? QStringLiteral("sorun yok")
                                : QStringLiteral("%1 sorun").arg(found.size()))
            << "\n";
        for (const QString& problem : found)
            out << "  - " << problem << "\n";
        problems += found;
    };
    run(QStringLiteral("Genel tablolar"), setup.install.dataDirectory(), globalTableDefs());
    QStringList codes;
    if (args.size() == 2) {
        codes << args[1].toUpper();
    } else if (problems.isEmpty()) {
        GlobalData global(setup.session, setup.install.dataDirectory());
        Table& sirket = global.sirket();
        for (sirket.first(); !sirket.eof(); sirket.next())
            codes << sirket["SKodu"].asString();
    }
    for (const QString& code : codes)
        run(QStringLiteral("Şirket %1").arg(code), setup.install.companyDirectory(code),
            companyTableDefs());
    return problems.isEmpty() ? kExitOk : kExitProblems;
}

int access(const QStringList& args)
{
    if (args.size() < 2) return usage();
    const QString path = QDir(args[0]).filePath(QStringLiteral("Cnf.HDB"));
    AccessConfig config;
    if (args[1] == QLatin1String("off")) {
        if (args.size() != 2) return usage();
        config.protection = false;
    } else if (args[1] == QLatin1String("on") && args.size() >= 3) {
        config.protection = true;
        config.generalPassword = args[2];
        for (int i = 3; i < args.size(); i += 4) {
            if (args[i] != QLatin1String("--user") || i + 3 >= args.size()) return usage();
            const int user = args[i + 1].toInt();
            if (user < 1 || user > 4) return usage();
            config.userPasswords[size_t(user - 1)] = args[i + 2];
            for (const QString& flag : args[i + 3].split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const int n = flag.trimmed().toInt();
                if (n < 1 || n > 30) return usage();
                config.userRights[size_t(user - 1)].set(size_t(n));
            }
        }
    } else {
        return usage();
    }
    for (const QString& password :
         QStringList{config.generalPassword} +
             QStringList(config.userPasswords.begin(), config.userPasswords.end()))
        if (password.size() > 10)
            throw AppError(QStringLiteral("Şifreler en çok 10 karakter olabilir."));
    config.write(path);
    out << "Erişim dosyası yazıldı: " << path << "\n";
    return 0;
}

int backup(const QStringList& args)
{
    QStringList rest = args;
    QString target;
    if (const int at = int(rest.indexOf(QStringLiteral("--to"))); at >= 0) {
        if (at + 1 >= rest.size()) return usage();
        target = rest[at + 1];
        rest.remove(at, 2);
    }
    if (rest.size() != 1 && rest.size() != 2) return usage();
    Setup setup(rest[0]);
    GlobalData global(setup.session, setup.install.dataDirectory());
    const QString path = backupCompanies(
        setup.session, global, setup.install, rest.size() == 2 ? rest[1].toUpper() : QString(),
        target.isEmpty() ? defaultBackupDirectory(setup.install) : target);
    out << "Yedek alındı: " << path << "\n";
    return 0;
}

int restore(const QStringList& args)
{
    if (args.size() != 4) return usage();
    Setup setup(args[0]);
    GlobalData global(setup.session, setup.install.dataDirectory());
    restoreCompany(setup.session, global, setup.install, args[1], args[2].toUpper(),
                   args[3].toUpper());
    out << "Yedek " << args[3].toUpper() << " koduyla yüklendi.\n";
    return 0;
}

int backups(const QStringList& args)
{
    if (args.size() != 1 && args.size() != 2) return usage();
    const InstallSettings install(args[0]);
    for (const BackupInfo& info :
         listBackups(args.size() == 2 ? args[1] : defaultBackupDirectory(install)))
        out << info.created.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) << "  " << info.path
            << "  " << (info.whole ? QStringLiteral("tümü: ") : QString())
            << info.companies.join(QStringLiteral(", ")) << "\n";
    return 0;
}

int report(const QStringList& all)
{
    // The report's own options (--name VALUE) may come anywhere after the code.
    QStringList args;
    ReportOptions options;
    for (int i = 0; i < all.size(); ++i) {
        const QString& a = all[i];
        if (a.startsWith(QLatin1String("--")) && a != QLatin1String("--format") &&
            a != QLatin1String("--out")) {
            if (i + 1 >= all.size()) return usage();
            options.insert(a.mid(2), all[++i]);
            continue;
        }
        args << a;
    }
    if (args.size() != 7 || args[3] != QLatin1String("--format") ||
        args[5] != QLatin1String("--out"))
        return usage();
    Setup setup(args[0]);
    const ExportFormat format = exportFormatFromName(args[4]);
    // The printer's bytes: pitch and form length as given, else as Users.ini has them.
    PrinterPitch printer;
    if (format == ExportFormat::Printer) {
        const TextPrint::Settings settings = TextPrint::read(setup.install.ini());
        const QString lines = options.take(QStringLiteral("lines"));
        printer.pageLines = TextPrint::pageLength(lines.isEmpty() ? settings.pageLines : lines);
        if (printer.pageLines == 0)
            throw AppError(QStringLiteral("Sayfa boyu 1 ile 254 arasında bir tam sayı olmalı: %1")
                               .arg(lines.isEmpty() ? settings.pageLines : lines));
        const QString pitch = options.take(QStringLiteral("pitch"));
        printer.pitch = pitch.isEmpty() ? settings.pitch : TextPrint::pitchOf(pitch);
        if (printer.pitch < 0)
            throw AppError(QStringLiteral("Yazı sıklığı 10 ya da 17 olmalı: %1").arg(pitch));
    }
    bool ok = false;
    const int code = args[2].toInt(&ok);
    if (!ok) return usage();
    GlobalData global(setup.session, setup.install.dataDirectory());
    std::unique_ptr<CompanyData> company;
    if (args[1] != QLatin1String("-"))
        company = std::make_unique<CompanyData>(setup.session, setup.install, args[1].toUpper());
    const PageSet pages = reportRegistry().run(code, global, company.get(), options);
    if (pages.pageCount() == 0) {
        // An empty choice prints nothing: no file either.
        out << QStringLiteral("Seçime uyan kayıt yok; rapor boş, dosya yazılmadı.\n");
        return 0;
    }
    const QStringList files = exportPages(pages, format, args[6], printer);
    out << QStringLiteral("%1 sayfa yazıldı: %2\n")
               .arg(pages.pageCount())
               .arg(files.join(QStringLiteral(", ")));
    for (const QString& warning : pages.warnings)
        err << QStringLiteral("Barkodu basılamadı: %1\n").arg(warning);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quietQtMessages);
    // Reports measure and draw text: a GUI application without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dulvet-admin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DULVET_VERSION));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return usage();
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h")))
        return usage(true);
    if (args.front() == QLatin1String("--version")) {
        out << "dulvet-admin " << QCoreApplication::applicationVersion() << "\n";
        return kExitOk;
    }
    const int serverAt = int(args.indexOf(QStringLiteral("--server")));
    if (serverAt >= 0) {
        if (serverAt + 1 >= args.size()) return usage();
        serverOption = args[serverAt + 1];
        args.remove(serverAt, 2);
        if (args.isEmpty()) return usage();
    }
    const QString command = args.takeFirst();
    try {
        if (command == QLatin1String("init")) return init(args);
        if (command == QLatin1String("company")) return company(args);
        if (command == QLatin1String("migrate")) return migrate(args);
        if (command == QLatin1String("demo")) return demo(args);
        if (command == QLatin1String("check")) return check(args);
        if (command == QLatin1String("access")) return access(args);
        if (command == QLatin1String("backup")) return backup(args);
        if (command == QLatin1String("restore")) return restore(args);
        if (command == QLatin1String("backups")) return backups(args);
        if (command == QLatin1String("report")) return report(args);
        return usage();
    } catch (const AppError& e) {
        err << "Hata: " << e.message();
        if (!e.detail().isEmpty()) err << " (" << e.detail() << ")";
        err << "\n";
        return kExitError;
    }
}
