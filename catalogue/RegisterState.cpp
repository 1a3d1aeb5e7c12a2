#include "RegisterState.h"

#include <QWidget>

namespace catalogue {

namespace {

enum Change { Keep, On, Off };

struct Row {
    Change navigator, inserir, editar, apagar, gravar, cancela;
};

// Indexed by RegisterState.
constexpr Row table[] = {
    /* Opened      */ {Keep, Keep, Keep, Keep, Off, Off},
    /* Browse      */ {On, On, On, On, Off, Off},
    /* Insert      */ {Off, On, Off, Off, On, On},
    /* Edit        */ {Off, Off, On, Off, On, On},
    /* Asking      */ {Keep, Off, Off, Keep, Off, Off},
    /* AfterDelete */ {Keep, On, On, Keep, Off, Off},
};

void apply(QWidget *w, Change c)
{
    if (c != Keep)
        w->setEnabled(c == On);
}

} // namespace

void applyRegisterState(const RegisterControls &c, RegisterState state)
{
    const Row &row = table[int(state)];
    apply(c.navigator, row.navigator);
    apply(c.inserir, row.inserir);
    apply(c.editar, row.editar);
    apply(c.apagar, row.apagar);
    apply(c.gravar, row.gravar);
    apply(c.cancela, row.cancela);
}

} // namespace catalogue
