// Waiting in window tests for a sign, turning the event loop meanwhile. QtTest's QTRY_ macros
// report to QtTest's own log, which a GoogleTest run never reads (a QTRY_ that fails passes
// silently): window tests wait with WaitFor and check its answer, e.g.
//   ASSERT_TRUE(WaitFor([&] { return map.isActiveWindow(); })) << "the map never got the keyboard";
#pragma once

#include <QTest>

namespace morvath::test {

// Whether the condition came true before the time was up (10 s by default: as long as a loaded
// machine may need; a sign that is coming comes much sooner).
template <class Condition>
bool WaitFor(Condition condition, int timeoutMs = 10000) {
  return QTest::qWaitFor(condition, timeoutMs);
}

}  // namespace morvath::test
