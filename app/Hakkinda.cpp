#include "app/Hakkinda.h"

#include "widgets/DisplayLabels.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <unistd.h>
#include <x86intrin.h>

QString TfrmHakkinda::processorMhz()
{
#if defined(__x86_64__) || defined(__i386__)
    // Cycles counted over 100 ms.
    QElapsedTimer timer;
    timer.start();
    const unsigned long long start = __rdtsc();
    while (timer.nsecsElapsed() < 100'000'000) {
    }
    const double cycles = double(__rdtsc() - start);
    return QString::number(qRound(cycles / (timer.nsecsElapsed() / 1000.0)));
#else
    return QStringLiteral("?");
#endif
}

TfrmHakkinda::TfrmHakkinda(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Hakkında"));
    auto* layout = new QVBoxLayout(this);
    auto* logo = new QLabel(QStringLiteral("<h1>DULVET 3</h1><p>Ön muhasebe</p>"), this);
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    const QString memory = QStringLiteral("%1 MB").arg(qint64(pages) * pageSize / (1024 * 1024));
    const QStringList lines = {
        QStringLiteral("Kullanıcı : %1")
            .arg(qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"))),
        QStringLiteral("Bilgisayar : %1").arg(QSysInfo::machineHostName()),
        QStringLiteral("Bellek : %1").arg(memory),
        QStringLiteral("İşlemci : %1 MHz").arg(processorMhz()),
    };
    for (const QString& line : lines)
        layout->addWidget(new QLabel(line, this));
    // The marquee under the figures.
    auto* marquee = new TZemrakKayanLabel(
        QStringLiteral("DULVET 3 Ön Muhasebe  -  Cari, stok, fatura, çek-senet ve kasa  -  "),
        this);
    marquee->setZaman(150);
    marquee->setFrameShape(QFrame::Panel);
    marquee->setFrameShadow(QFrame::Sunken);
    layout->addWidget(marquee);
    auto* ok = new QPushButton(QStringLiteral("Tamam"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
    ok->setFocus();
}
