// melvora-screenshot WINDOW FILE.png [--size WIDTHxHEIGHT]
// Shows one of the program's windows offscreen, on the sample collection made in a temporary
// folder, and saves what it shows as a PNG. Exit status: 0 saved, 1 not saved, 2 wrong
// arguments.
#include "CollectionFiles.h"
#include "MelvoraApplication.h"
#include "Screenshot.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>

namespace {

int usage()
{
    std::fprintf(stderr, "uso: melvora-screenshot %s ARQUIVO.png [--size LARGURAxALTURA]\n",
                 qPrintable(screenshot::windowNames().join(u'|')));
    return 2;
}

void say(const QString &text)
{
    std::fprintf(stderr, "melvora-screenshot: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // the picture needs no display
    MelvoraApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QSize size;
    if (const qsizetype at = args.indexOf(QStringLiteral("--size")); at >= 0) {
        const auto m =
            QRegularExpression(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$")).match(args.value(at + 1));
        if (!m.hasMatch())
            return usage();
        size = QSize(m.captured(1).toInt(), m.captured(2).toInt());
        args.remove(at, 2);
    }
    if (args.size() != 2 || !screenshot::windowNames().contains(args[0]))
        return usage();
    const QString window = args[0], file = QDir::current().absoluteFilePath(args[1]);
    if (!size.isValid())
        size = screenshot::defaultSize(window);

    // A box would wait for a click no one can give here: its text goes to standard error.
    melvora::setMessageResponder([](const melvora::MessageRequest &r) {
        say(r.text);
        return true;
    });
    QTemporaryDir folder;
    if (!folder.isValid() || !QDir::setCurrent(folder.path())) {
        say(QStringLiteral("não foi possível criar uma pasta temporária."));
        return 1;
    }
    QImage image;
    const bool taken = melvora::runReportingErrors([&] {
        melvora::createEmptyCollection(folder.path());
        melvora::fillSampleCollection(folder.path(), {});
        image = screenshot::take(window, size);
    });
    QDir::setCurrent(QDir::tempPath());
    if (!taken)
        return 1;
    if (image.isNull() || !image.save(file, "PNG")) {
        say(QStringLiteral("não foi possível gravar %1.").arg(file));
        return 1;
    }
    return 0;
}
