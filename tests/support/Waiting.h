#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace tkd::test {

// Runs the event loop (an application object must exist) until the condition holds, checking it
// every few milliseconds. Past the bound it gives up with a failure that names what was awaited:
//     ASSERT_TRUE(test::waitUntil([&] { return sent.size() == 1; }, "the message sent"));
// The bound only ends a wait that would never end; nothing is asserted about how long it took.
::testing::AssertionResult waitUntil(const std::function<bool()>& condition, const QString& what,
                                     std::chrono::milliseconds bound = std::chrono::seconds(20));

} // namespace tkd::test
