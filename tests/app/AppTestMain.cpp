// Test entry for the window tests: the program's own application object, so that an exception
// in the event loop takes the program's way; where the program would open a box, the test fails.
#include "FendralApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    fendral::FendralApplication application(argc, argv);
    application.setExceptionShower([](const QString& message) {
        ADD_FAILURE() << "An exception reached the event loop: " << message.toStdString();
    });
    return RUN_ALL_TESTS();
}
