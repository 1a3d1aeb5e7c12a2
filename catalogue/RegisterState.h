// The button states of the two registers (artists and CDs), as one table: which of the
// navigator and the five buttons each state enables, disables or leaves as it was.
//
//   state        Navigator  Inserir  Editar  Apagar  Gravar  Cancela
//   opened       -          -        -       -       off     off      (window first shown)
//   browse       on         on       on      on      off     off      ("Gravar", "Cancela")
//   insert       off        on       off     off     on      on       ("Inserir")
//   edit         off        off      on      off     on      on       ("Editar")
//   asking       -          off      off     -       off     off      ("Apagar", question open)
//   afterDelete  -          on       on      -       off     off      ("Apagar", either answer)
#pragma once

class QWidget;

namespace catalogue {

enum class RegisterState { Opened, Browse, Insert, Edit, Asking, AfterDelete };

struct RegisterControls {
    QWidget *navigator;
    QWidget *inserir;
    QWidget *editar;
    QWidget *apagar;
    QWidget *gravar;
    QWidget *cancela;
};

void applyRegisterState(const RegisterControls &controls, RegisterState state);

} // namespace catalogue
