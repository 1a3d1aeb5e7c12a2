// Replaying a recorded page onto a QPainter: the records are drawn in logical units under one
// transform (page units to device), never laid out again. A damaged stream throws MetafileError
// before anything of the damaged record is used.
#pragma once

#include "EmfReader.h"

#include <QPainter>
#include <QSize>

namespace metafile {

// The reference device size recorded in the header (our pages: the page size in page units).
QSize emfDeviceSize(const QByteArray &emf);

void playEmf(const QByteArray &emf, QPainter &painter, const QTransform &pageToDevice);

} // namespace metafile
