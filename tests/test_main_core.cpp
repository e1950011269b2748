#include "core/c_numbers.h"
#include "test_isolation.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// The main of the tests of what has no window: a core application, no display and no
// widgets linked, so that a model that came to need them fails to build here.
int main(int argc, char **argv)
{
    qputenv("LC_ALL", OCAI_TEST_LOCALE); // the tree's, as in the widget tests' main
    isolateUserFiles();
    QCoreApplication app(argc, argv);
    numfmt::keepCNumbersInTheCLibrary(); // as every program does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
