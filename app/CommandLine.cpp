#include "CommandLine.h"

#include "DataModule.h"
#include "Messages.h"
#include "R_CD.h"
#include "R_Retirad.h"
#include "R_musica.h"
#include "ReportPdf.h"
#include "RpSystemPrinter.h"
#include "TableDefinitions.h"
#include "UserError.h"

#include <QFileInfo>
#include <cstdio>
#include <cstring>
#include <memory>

namespace melvora {

namespace {

const char Usage[] =
    "Uso: melvora --report cd|retirada|musica --pdf ARQUIVO\n"
    "Grava em ARQUIVO, em PDF, o relatório de CDs (cd), de retiradas (retirada) ou de músicas\n"
    "(musica) das tabelas da pasta atual, página por página como a visualização o mostra,\n"
    "sem abrir janelas. Sem argumentos, o Melvora abre a sua janela.\n";

void say(const QString &text)
{
    std::fputs(("melvora: " + text + "\n").toUtf8().constData(), stderr);
}

// Where the program would show a message box: the text goes to standard error, and a question
// is answered Cancel, for there is no one to answer it.
struct Errors {
    bool reported = false;
    Errors()
    {
        setMessageResponder([this](const MessageRequest &request) {
            say(request.text);
            reported = reported || request.kind == MessageKind::Error;
            return false;
        });
    }
    ~Errors() { setMessageResponder(nullptr); }
};

int writeReport(const ReportCommand &command)
{
    Errors errors;
    // Pages are measured against the system printer, as for the preview; no progress window.
    RpPrinter().setDevice(std::make_unique<TRpSystemPrinter>());
    auto dataModule = std::make_unique<TDataModule1>();
    dataModule->DataModuleCreate();
    // The window would rebuild a missing index before anything else; here it is reported.
    for (const QString &name : indexFileNames()) {
        if (!QFileInfo::exists(name)) {
            say(QStringLiteral("falta o arquivo de índice \"%1\" nesta pasta; abra o Melvora nela para "
                               "reconstruir os índices.").arg(name));
            return 1;
        }
    }
    std::unique_ptr<TReportForm> form;
    if (command.report == QLatin1String("cd"))
        form = std::make_unique<TR_CDForm>(dataModule.get());
    else if (command.report == QLatin1String("retirada"))
        form = std::make_unique<TR_RetiradaForm>(dataModule.get());
    else
        form = std::make_unique<TR_musicaform>();
    if (errors.reported)
        return 1;
    TRpPrinter &store = RpPrinter();
    try {
        form->RpReport1->Prepare(store);
        if (store.Cancelled) {
            say(QStringLiteral("o relatório não foi gerado."));
            store.DiscardPages();
            return 1;
        }
        SavePagesAsPdf(store, command.pdf, form->Caption);
    } catch (...) {
        store.DiscardPages();
        throw;
    }
    store.DiscardPages();
    return 0;
}

} // namespace

bool isCommandLine(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (std::strncmp(a, "--report", 8) == 0 || std::strncmp(a, "--pdf", 5) == 0
            || std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0)
            return true;
    }
    return false;
}

ReportCommand parseCommandLine(const QStringList &arguments)
{
    ReportCommand command;
    auto refuse = [&command](const QString &why) {
        if (command.error.isEmpty())
            command.error = why;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            command.help = true;
            continue;
        }
        QString option = a, value;
        bool hasValue = false;
        if (const qsizetype eq = a.indexOf(QLatin1Char('=')); a.startsWith(QLatin1String("--")) && eq > 0) {
            option = a.left(eq);
            value = a.mid(eq + 1);
            hasValue = true;
        }
        QString *target = nullptr;
        if (option == QLatin1String("--report"))
            target = &command.report;
        else if (option == QLatin1String("--pdf"))
            target = &command.pdf;
        if (!target) {
            refuse(QStringLiteral("argumento desconhecido \"%1\".").arg(a));
            continue;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                refuse(QStringLiteral("falta o valor de %1.").arg(option));
                continue;
            }
            value = arguments[++i];
        }
        if (!target->isEmpty())
            refuse(QStringLiteral("%1 foi dado mais de uma vez.").arg(option));
        else if (value.isEmpty())
            refuse(QStringLiteral("falta o valor de %1.").arg(option));
        *target = value;
    }
    if (command.help)
        return command;
    static const QStringList reports{QStringLiteral("cd"), QStringLiteral("retirada"),
                                     QStringLiteral("musica")};
    if (command.report.isEmpty())
        refuse(QStringLiteral("falta --report cd|retirada|musica."));
    else if (!reports.contains(command.report))
        refuse(
            QStringLiteral("relatório desconhecido \"%1\"; use cd, retirada ou musica.").arg(command.report));
    if (command.pdf.isEmpty())
        refuse(QStringLiteral("falta --pdf ARQUIVO."));
    return command;
}

int runCommandLine(const QStringList &arguments)
{
    const ReportCommand command = parseCommandLine(arguments);
    if (command.help) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (!command.error.isEmpty()) {
        say(command.error);
        std::fputs(Usage, stderr);
        return 2;
    }
    try {
        return writeReport(command);
    } catch (const UserError &e) {
        say(e.message());
    } catch (const std::exception &e) {
        say(QString::fromUtf8(e.what()));
    }
    return 1;
}

} // namespace melvora
