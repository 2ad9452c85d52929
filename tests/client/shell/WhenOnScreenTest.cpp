#include "client/shell/WhenOnScreen.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using namespace tamber;

// Once, on the first expose; a window kept off screen gets it after the bound.
TEST(WhenOnScreen, RunsOnceWhenTheWindowIsFirstOnScreenOrAfterTheBound)
{
    QWidget window;
    window.winId(); // its native window exists, not on screen yet
    int runs = 0;
    const WhenOnScreen up(window, std::chrono::hours(1), [&runs] { ++runs; });
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 0) << "not before it is on screen";
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&runs] { return runs > 0; }, 10'000));
    window.hide();
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(runs, 1);

    QWidget offScreen;
    offScreen.winId();
    bool ran = false;
    const WhenOnScreen bounded(offScreen, std::chrono::milliseconds(20), [&ran] { ran = true; });
    EXPECT_TRUE(QTest::qWaitFor([&ran] { return ran; }, 10'000));
}
