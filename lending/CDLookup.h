// Finding the CD a checkout is about. The key search on "iartista_titulo" ignores letter case,
// so it may land on another spelling of the artist or title, lent or not; a checkout is about
// the CD on the shelf whose names are exactly the checkout's, a return about the lent one.
#pragma once

#include <QString>

namespace tables {
class Table;
}

namespace lending {

// Selects "iartista_titulo" on cd and puts it on the CD named exactly artist and title whose
// lending flag is flag; when none is and the flag is not required, on the first CD the key
// search finds (a checkout made before a letter-case rename of its artist still finds its
// CD). Answers whether a CD was found; when not, the cursor's position is unspecified.
bool findCD(tables::Table &cd, const QString &artist, const QString &title, const QString &flag,
            bool flagRequired);

} // namespace lending
