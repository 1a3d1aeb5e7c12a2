// Every command that works on existing tables refuses them while another program holds them,
// at once and with the engine's message, and changes nothing.
#include "ToolFixture.h"

#include "DataModule.h"

class HeldTables : public ToolFixture {};

TEST_F(HeldTables, EveryCommandRefusesTablesTheProgramHoldsAndChangesNothing)
{
    const QString c = smallCollection("c");
    const QString archive = folder("copia.melvora");
    ASSERT_EQ(runTool({"backup", c, archive}).status, 0);
    ASSERT_EQ(runTool({"export", c, "--csv", folder("csv")}).status, 0);
    // Read before and after only: reading a file the program holds would drop its locks.
    const auto before = folderState(c);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(c);
    {
        TDataModule1 running; // the program, open on the folder
        running.DataModuleCreate();
        const QStringList commands[] = {
            {"check", c},
            {"check", c, "--repair"},
            {"export", c, "--csv", folder("saida")},
            {"import", c, "--csv", folder("csv"), "--force"},
            {"backup", c, folder("outra.melvora")},
            {"restore", archive, c, "--force"},
        };
        for (const QStringList &args : commands) {
            SCOPED_TRACE(args.join(u' ').toStdString());
            const ProgramRun run = runTool(args);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.out, "");
            EXPECT_EQ(run.err, "melvora-tables: A tabela artista.db está em uso por outro programa.\n");
        }
    }
    QDir::setCurrent(previous);
    EXPECT_EQ(folderState(c), before);
    EXPECT_FALSE(QFileInfo::exists(folder("saida")));
    EXPECT_FALSE(QFileInfo::exists(folder("outra.melvora")));
}
