// The program's pictures: the SVG files of app/icons, kept in this library's resources and
// loaded one way. icon("cd") is icons/cd.svg; the resources are registered on first use.
#pragma once

#include <QIcon>
#include <QString>

namespace melvora {

QIcon icon(const QString &name);

} // namespace melvora
