// The glyphs of the registers' buttons, drawn in code so that they stay sharp at every size:
// a green tick (save), a plus (new), a red bin (delete), a red cross (cancel), a pencil (edit).
#pragma once

#include <QIcon>

namespace catalogue {

enum class Glyph { Gravar, Inserir, Apagar, Cancela, Editar };

QIcon buttonGlyph(Glyph glyph);

} // namespace catalogue
