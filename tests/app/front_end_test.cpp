#include "app/front_end.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace torvane {
namespace {

using namespace torvane::testing;

TEST(FrontEnd, ServicesLeftNullAreThePlatformsOwn) {
  FakeControls controls;
  FakeMessageBox given_box, own_box;
  FakeFolderBrowser given_browser, own_browser;
  FakeLocation given_location, own_location;
  FakeLister given_lister, own_lister;
  const WindowServices own{&own_box, &own_browser, &own_location, &own_lister};

  Form1Services mixed = ServicesFor(controls, {&given_box, nullptr, &given_location, nullptr}, own);
  EXPECT_EQ(&mixed.controls, &controls);
  EXPECT_EQ(&mixed.message_box, &given_box);
  EXPECT_EQ(&mixed.folder_browser, &own_browser);
  EXPECT_EQ(&mixed.location, &given_location);
  EXPECT_EQ(&mixed.lister, &own_lister);

  Form1Services swapped =
      ServicesFor(controls, {nullptr, &given_browser, nullptr, &given_lister}, own);
  EXPECT_EQ(&swapped.message_box, &own_box);
  EXPECT_EQ(&swapped.folder_browser, &given_browser);
  EXPECT_EQ(&swapped.location, &own_location);
  EXPECT_EQ(&swapped.lister, &given_lister);
}

// What a control's name means to the windows: its text box, and which boxes filter keys.
TEST(FrontEnd, TextBoxesAreTheDesignsTextBoxesByName) {
  int boxes = 0;
  for (const ControlDesign& control : kDesign) {
    std::optional<TextBox> box = TextBoxNamed(control.name);
    EXPECT_EQ(box.has_value(), control.kind == ControlKind::TextBox) << control.name;
    if (!box) continue;
    ++boxes;
    EXPECT_EQ(NameOf(*box), control.name);
  }
  EXPECT_EQ(boxes, 5);
  EXPECT_EQ(TextBoxNamed("Text"), std::nullopt);
  EXPECT_EQ(TextBoxNamed("Text12"), std::nullopt);
  EXPECT_EQ(TextBoxNamed("Text3"), TextBox::Text3);
  for (TextBox box : {TextBox::Text1, TextBox::Text5}) EXPECT_FALSE(Form1::HasKeyPress(box));
  for (TextBox box : {TextBox::Text2, TextBox::Text3, TextBox::Text4}) {
    EXPECT_TRUE(Form1::HasKeyPress(box));
  }
}

}  // namespace
}  // namespace torvane
