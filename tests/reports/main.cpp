// The report tests run inside the program's own application object, so that the default error
// box catches what handlers throw, exactly as in the program.
#include "MelvoraApplication.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    MelvoraApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
