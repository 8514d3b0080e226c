#include "store/HelpText.h"

#include "store/AppError.h"
#include "store/Cp1254.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

const QString kFile = QStringLiteral("Yardim.hl1");

// The help delivered with the program: the main window, the customer and the stock windows.
const char* const kStarter = R"([frmAnaMenu]
01=Ana menü: sol taraftaki ağaçtan bir işlem seçip Enter'a ya da çift tıklamaya basın.
02=Şirket seç [F2]: çalışılacak şirketi seçer; Şirket bilgileri [F3]: açık şirketin bilgileri.
03=Yedekleme [F5]: şirketin ya da bütün verilerin yedeğini alır.
04=Alt+F9 cari, Alt+F10 stok kartlarını her pencereden gösterir.
[frmCarKart]
01=Cari kartlar: müşteri, satıcı ve banka kartları.
02=F2 yeni kart, F3 düzeltme, F4 silme (hareketi olan kart silinmez), F10 kartın özeti.
03=Listenin sırası üstteki seçeneklerle değişir.
[frmCarHar]
01=Cari hareketler: seçilen kartın borç ve alacak hareketleri.
02=F2 yeni hareket, F3 düzeltme, F4 silme; F6 başka bir kart seçer.
03=Fatura, kasa ve çek senet hareketleri kendi pencerelerinden düzeltilir.
[frmStKart]
01=Stok kartları: kodu, cinsi, birimi, fiyatları ve resmi.
02=F2 yeni kart, F3 düzeltme, F4 silme (hareketi olan kart silinmez), F10 kartın özeti.
[frmStHar]
01=Stok hareketleri: seçilen kartın giren ve çıkan hareketleri, altta toplamları.
02=F2 yeni hareket, F3 düzeltme, F4 silme; F6 başka bir kart seçer.
[frmKECari]
01=Cari kartın özeti: bilgileri, bakiyesi ve kaynaklarına göre dağılımı.
02=Extre [F2] kartın ekstresini gösterir; Esc pencereyi kapatır.
[frmKEStok]
01=Stok kartının özeti: fiyatları, son alış ve satışı, envanter tutarları.
02=Extre [F2] kartın ekstresini gösterir; Esc pencereyi kapatır.
)";

} // namespace

QStringList HelpLines(const QByteArray& file, const QString& section)
{
    QStringList lines;
    bool inside = false;
    for (QByteArray raw : file.split('\n')) {
        if (raw.endsWith('\r')) raw.chop(1);
        const std::optional<QString> decoded = Cp1254::decode(raw);
        if (!decoded) continue; // a byte the code page does not have: the line is left out
        const QString line = *decoded;
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            inside = trimmed.mid(1, trimmed.size() - 2)
                         .trimmed()
                         .compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inside || trimmed.startsWith(QLatin1Char(';')) || !line.contains(QLatin1Char('=')))
            continue;
        lines << line.mid(3);
    }
    return lines;
}

QStringList HelpLinesFor(const QString& programDir, const QString& windowName)
{
    QFile file(QDir(programDir).filePath(kFile));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return HelpLines(file.readAll(), windowName);
}

void installStarterHelp(const QString& programDir)
{
    const QString path = QDir(programDir).filePath(kFile);
    if (QFile::exists(path)) return;
    QSaveFile out(path);
    QByteArray bytes = Cp1254::encode(QString::fromUtf8(kStarter));
    bytes.replace("\n", "\r\n");
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        throw AppError(QStringLiteral("Yardım dosyası yazılamadı: %1").arg(path),
                       out.errorString());
}
