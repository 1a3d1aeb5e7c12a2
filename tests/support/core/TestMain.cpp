// The main function of the test programs: GoogleTest run inside the application object that the
// program's tests need, named by TEST_APPLICATION and its header TEST_APPLICATION_HEADER. The
// program's own application object makes the default error box catch what handlers throw,
// exactly as in the program.
#include TEST_APPLICATION_HEADER

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
#ifdef TEST_OFFSCREEN
    qputenv("QT_QPA_PLATFORM", "offscreen"); // they draw into images only: no display is needed
#endif
    TEST_APPLICATION app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
