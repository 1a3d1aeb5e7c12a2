#include "EditMask.h"

#include <gtest/gtest.h>

struct MaskCase {
    const char *stored;
    const char *qt;
};

class StoredMasks : public ::testing::TestWithParam<MaskCase> {};

TEST_P(StoredMasks, StoredMaskBecomesQtMaskWithDigitLettersSwapped)
{
    EXPECT_EQ(dataaware::qtInputMask(QString::fromUtf8(GetParam().stored)).toStdString(), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(Masks, StoredMasks,
                         ::testing::Values(MaskCase{"!99/99/00;1;_", "00/00/99;_"},
                                           MaskCase{"", ""},
                                           MaskCase{"000;0;*", "999;*"},
                                           MaskCase{"99\\-00", "00\\-99; "}));

TEST(EditMask, DatesCarryTheDateMaskAndTextNone)
{
    EXPECT_EQ(dataaware::storedEditMask({"Aquisicao", tables::FieldType::Date, 0}), "!99/99/00;1;_");
    EXPECT_EQ(dataaware::storedEditMask({"Titulo", tables::FieldType::Text, 40}), "");
}
