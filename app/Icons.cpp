#include "Icons.h"

#include <QFile>

// The resources of a static library are kept by the linker only when something registers them;
// Q_INIT_RESOURCE cannot be used inside a namespace.
static void registerIconResources()
{
    Q_INIT_RESOURCE(melvora);
}

namespace melvora {

QIcon icon(const QString &name)
{
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    const QString path = QStringLiteral(":/melvora/icons/%1.svg").arg(name);
    Q_ASSERT_X(QFile::exists(path), "melvora::icon", qPrintable(path));
    return QIcon(path);
}

} // namespace melvora
