// Arranging the child windows of the frame: tiling one above the other or side by side,
// cascading, and lining up the icons of minimised windows along the bottom. Tiling and
// cascading leave minimised windows where they are; a fixed-size window keeps its size and
// takes the top left corner of its cell.
#pragma once

class QMdiArea;

namespace melvora {

void tileHorizontally(QMdiArea *area); // one above the other, each as wide as the frame
void tileVertically(QMdiArea *area);   // side by side, each as high as the frame
void cascade(QMdiArea *area);
void arrangeIcons(QMdiArea *area);

} // namespace melvora
