// Reading a page stored as a placeable Windows metafile (WMF, the older format): its records
// are replayed onto an EmfCanvas, so that such a page is kept, shown and printed like any
// other. The common drawing records are understood (objects, lines, rectangles, ellipses,
// texts); others are skipped. Every record's length is checked before it is read.
#pragma once

#include "EmfReader.h"

namespace metafile {

// The length of the placeable WMF at data (its 22-byte placeable header plus the metafile its
// header describes); 0 when data does not start with a placeable header. Throws MetafileError
// when the lengths it gives do not fit in size bytes.
qint64 wmfLength(const char *data, qint64 size);

// The EMF of a converted WMF page is at most this many times the WMF's length (plus a few
// kilobytes); a WMF that would grow more, or that nests its saved states deeper than
// MaxSaveDepth, is refused. Pages of text and lines grow three to seven times; one that
// changes font at every character would grow ten times.
constexpr qint64 WmfExpansion = 8;

// The WMF's drawing as a page of width × height page units, as an EMF byte stream. The WMF's
// bounding box, at its units per inch, is placed at the page's top left at 96 per inch.
QByteArray wmfToEmf(const QByteArray &wmf, int width, int height);

} // namespace metafile
