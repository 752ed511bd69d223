#include "app/front_end.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

TEST(FrontEnd, ServicesLeftNullAreThePlatformsOwn) {
  FakeControls controls;
  FakeMessageBox box[2];
  FakeFolderBrowser browser[2];
  FakeLocation location[2];
  FakeLister lister[2];
  FakeResultWindows results;
  Form1Services services = ServicesFor(controls, {&box[0], nullptr, &location[0], nullptr, nullptr},
                                       {&box[1], &browser[1], &location[1], &lister[1], &results});
  EXPECT_EQ(&services.controls, &controls);
  EXPECT_EQ(&services.message_box, &box[0]);
  EXPECT_EQ(&services.folder_browser, &browser[1]);
  EXPECT_EQ(&services.location, &location[0]);
  EXPECT_EQ(&services.lister, &lister[1]);
  EXPECT_EQ(&services.result_windows, &results);
}

}  // namespace
}  // namespace torvane
