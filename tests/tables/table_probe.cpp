// A second program for the engine's tests.
//   table_probe open FILE     tries an exclusive open; prints the error and exits 1 if refused
//   table_probe writer FILE   posts actions of three songs each, committing each, until killed
#include "EngineError.h"
#include "Table.h"
#include "Transactions.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    try {
        tables::Table t(QString::fromLocal8Bit(argv[2]));
        t.open(tables::OpenMode::Exclusive);
        if (std::strcmp(argv[1], "open") == 0) {
            std::printf("opened %d\n", t.recordCount());
            return 0;
        }
        std::printf("ready\n");
        std::fflush(stdout);
        t.selectIndex("imusica");
        for (int action = 0;; ++action) {
            const QString tag = QStringLiteral("%1-%2").arg(::getpid()).arg(action);
            for (int i = 0; i < 3; ++i) {
                t.append();
                t.setFieldText("artista", tag);
                t.setFieldText("titulo", QString::number(i));
                t.setFieldText("musica", QStringLiteral("m%1-%2").arg(action % 97).arg(i));
                t.post();
            }
            // And rewrite an older action in the same transaction: every song keeps its tag.
            if (t.findKey({QStringLiteral("m%1-0").arg((action * 7) % 97)})) {
                t.edit();
                t.setFieldText("titulo", t.fieldText("titulo") + "+");
                t.post();
            }
            if (action % 5 == 4 && !t.isEmpty()) {
                t.first();
                const QString victim = t.fieldText("artista");
                // delete every song of that action together
                t.selectIndex("iartista");
                while (t.findKey({victim}))
                    t.deleteRecord();
                t.selectIndex("imusica");
            }
            tables::commitAll();
        }
    } catch (const tables::EngineError &e) {
        std::printf("%s\n", e.message().toUtf8().constData());
        return 1;
    }
}
