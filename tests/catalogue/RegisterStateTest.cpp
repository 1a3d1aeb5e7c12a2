#include "RegisterState.h"

#include <QWidget>
#include <gtest/gtest.h>

using catalogue::RegisterState;

struct StateCase {
    RegisterState state;
    const char *from;  // enabled states before: navigator, Inserir, Editar, Apagar, Gravar, Cancela
    const char *after; // "1" enabled, "0" disabled
};

class RegisterStateRows : public ::testing::TestWithParam<StateCase> {};

TEST_P(RegisterStateRows, AppliesItsRowAndLeavesTheUnchangedOnes)
{
    QWidget w[6];
    for (int i = 0; i < 6; ++i)
        w[i].setEnabled(GetParam().from[i] == '1');
    catalogue::applyRegisterState({&w[0], &w[1], &w[2], &w[3], &w[4], &w[5]}, GetParam().state);
    std::string got;
    for (auto &x : w)
        got += x.isEnabled() ? '1' : '0';
    EXPECT_EQ(got, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RegisterStateRows,
    ::testing::Values(StateCase{RegisterState::Opened, "111111", "111100"},
                      StateCase{RegisterState::Browse, "000011", "111100"},
                      StateCase{RegisterState::Insert, "111100", "010011"},
                      StateCase{RegisterState::Edit, "111100", "001011"},
                      StateCase{RegisterState::Asking, "101111", "100100"},
                      StateCase{RegisterState::Asking, "011011", "000000"},
                      StateCase{RegisterState::AfterDelete, "000100", "011100"},
                      StateCase{RegisterState::AfterDelete, "100011", "111000"}));
