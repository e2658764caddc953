#include "platform/TerminationSignals.h"

#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <vector>

TEST(TerminationSignals, EachSignalReachesTheEventLoopInOrder) {
    platform::InstallTerminationHandlers();
    std::vector<int> got;
    // Signals that come while no function is set wait for one.
    raise(SIGHUP);
    platform::SetTerminationHandler([&](int sig) { got.push_back(sig); });
    raise(SIGTERM);
    raise(SIGINT);
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.size() == 3; }, 10000));
    EXPECT_EQ(got, (std::vector<int>{SIGHUP, SIGTERM, SIGINT}));

    // Another library putting its own handler in place is undone by the reassertion.
    signal(SIGTERM, SIG_IGN);
    platform::ReassertTerminationHandlers();
    raise(SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return got.size() == 4; }, 10000));
    platform::SetTerminationHandler({});
}
