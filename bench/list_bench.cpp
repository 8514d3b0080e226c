// A list window on a table of a million records: from the command to the first paint, paging
// down a hundred screens, and memory against the same window on an empty table.
//
//   QT_QPA_PLATFORM=offscreen bench_list [DIRECTORY] [RECORDS]
#include "BenchUtil.h"
#include "app/ListWindow.h"
#include "app/MessageWindow.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/InstallSettings.h"
#include "store/StoreSession.h"
#include "store/Table.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

namespace {

TableDef movements(const QString& name)
{
    TableDef def;
    def.name = name;
    def.fields = {{"Nosu", FieldKind::AutoInc, 0, true},
                  {"Kodu", FieldKind::Text, 10, false},
                  {"Unvani", FieldKind::Text, 40, false},
                  {"Tarih", FieldKind::Date, 0, true},
                  {"Tutar", FieldKind::Float, 0, false}};
    def.indexes = {{QString(), "Nosu", IndexPrimary | IndexUnique},
                   {name + "_1", "Tarih", IndexCaseInsensitive}};
    return def;
}

class Window : public ListWindow {
public:
    Window(Shell& shell, Table& table)
        : ListWindow(shell, QStringLiteral("Hareketler"), table,
                     {{"Tarih", "Tarih", 90},
                      {"Kodu", "Kodu", 90},
                      {"Ünvanı", "Unvani", 260},
                      {"Tutar", "Tutar", 110, "#,##0.00"}})
    {
    }
};

// Opens the window on the last record and waits for its first paint; returns milliseconds.
double openAndPaint(Shell& shell, Table& table, std::unique_ptr<Window>& window)
{
    QElapsedTimer timer;
    timer.start();
    table.setIndexName(table.name() + "_1");
    window = std::make_unique<Window>(shell, table);
    window->goLast();
    window->prepare();
    window->show();
    window->grid()->viewport()->repaint();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir temp(QDir::current().filePath(QStringLiteral("bench-list-XXXXXX")));
    const QString dir = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1]) : temp.path();
    const int records = argc > 2 ? std::atoi(argv[2]) : 1000000;
    try {
        StoreSession session(QDir(dir).filePath(QStringLiteral("klt")));
        Connection db(session, dir, Connection::OpenMode::CreateIfMissing);
        for (const char* name : {"Bos", "Liste"})
            if (!db.tableExists(name)) db.createTable(movements(name));
        {
            Table fill(db, "Liste");
            fill.open();
            if (fill.recordCount() < records) {
                std::printf("Filling %d records...\n", records);
                for (int done = int(fill.recordCount()); done < records;) {
                    CommandTransaction tx(db);
                    for (int end = std::min(records, done + 50000); done < end; ++done) {
                        fill.append();
                        fill.field(1).setValue(QStringLiteral("K%1").arg(done % 9973));
                        fill.field(2).setValue(QStringLiteral("Müşteri Ticaret %1").arg(done));
                        fill.field(3).setValue(QDate(2020, 1, 1).addDays(done % 2000));
                        fill.field(4).setValue(done * 0.75);
                        fill.post();
                    }
                    tx.commit();
                }
            }
        }
        InstallSettings install(dir);
        DialogMessages messages;
        Shell shell(install, messages);

        Table empty(db, "Bos");
        empty.open();
        std::unique_ptr<Window> window;
        openAndPaint(shell, empty, window); // warm the code paths
        window.reset();
        const double emptyMs = openAndPaint(shell, empty, window);
        const double rssEmpty = rssMb();
        window.reset();

        Table big(db, "Liste");
        big.open();
        const double bigMs = openAndPaint(shell, big, window);
        std::printf("list window, command to first paint: empty %.1f ms, %d records %.1f ms "
                    "(budget 100 ms)\n",
                    emptyMs, records, bigMs);

        // Page down 100 screens from the first record.
        window->grid()->setFocus();
        window->grid()->setCurrentIndex(window->model()->index(0, 0));
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 100; ++i) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(window->grid(), &key);
            window->grid()->viewport()->repaint();
        }
        QApplication::processEvents();
        const double pagingMs = timer.nsecsElapsed() / 1e6;
        std::printf("page down 100 screens: %.1f ms in all, now on row %d (budget 1 s)\n", pagingMs,
                    window->grid()->currentIndex().row() + 1);
        timer.restart();
        for (int i = 0; i < 100; ++i) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
            QApplication::sendEvent(window->grid(), &key);
            window->grid()->viewport()->repaint();
        }
        std::printf("page up 100 screens: %.1f ms in all\n", timer.nsecsElapsed() / 1e6);
        window->grid()->scrollTo(window->model()->index(records / 2, 0));
        timer.restart();
        window->grid()->viewport()->repaint();
        std::printf("jump to the middle and paint: %.1f ms\n", timer.nsecsElapsed() / 1e6);
        std::printf("memory: empty table %.1f MB, %d records %.1f MB (growth %.1f MB, budget 20 "
                    "MB); %zu rows cached\n",
                    rssEmpty, records, rssMb(), rssMb() - rssEmpty, window->model()->cachedRows());
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
