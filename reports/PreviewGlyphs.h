// The pictures of the preview window's buttons, drawn in code at 16 x 16 (and twice that for
// dense screens), each with a greyed twin for the disabled state: a page (fit to the width),
// a page inside a frame (fit the whole page), a printer, and a door (close).
#pragma once

#include <QIcon>

enum class PreviewGlyph { Page, FramedPage, Printer, Door };

QIcon previewGlyph(PreviewGlyph glyph);
// One picture of the glyph, 16 x 16 times scale.
QPixmap previewGlyphPixmap(PreviewGlyph glyph, bool greyed, int scale = 1);
