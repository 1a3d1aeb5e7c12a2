// Text measurement shared by the recorder and the report engine: character advances of a canvas
// font, cached per font, and the per-character spacing that EMF text records carry. Widths are
// whole page units, rounded half to even, so a text measures the same when laid out and replayed.
#pragma once

#include "Canvas.h"

#include <QFont>
#include <QVector>

namespace metafile {

// "Arial" and "MS Sans Serif" are not installed here: both become Liberation Sans, which has
// Arial's metrics. Called before the first font is made; calling it again does nothing.
void registerFontSubstitutions();

QFont toQFont(const CanvasFont &font);

// Whole-unit advance of each character; the sum is the text's rounded width.
QVector<qint32> characterSpacing(const CanvasFont &font, const QString &text);
int textWidth(const CanvasFont &font, const QString &text);
// Height of one line of text (ascent plus descent), as a text height is measured for layout.
int textHeight(const CanvasFont &font);

// Breaks text at line ends and, where a line is wider than width, at spaces (a word wider than
// width is cut between characters). Every line returned fits in width unless one character alone
// does not.
QStringList wrapText(const CanvasFont &font, const QString &text, int width);

} // namespace metafile
