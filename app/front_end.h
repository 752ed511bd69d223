#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "app/design.h"
#include "app/form1.h"

namespace torvane {

/// What every window front end shares: the services it hands Form1, which control of the design
/// is which text box and raises which event, and the order the Tab key visits the controls in.

/// The platform services a window uses; each one left null is the platform's own.
struct WindowServices {
  MessageBox* message_box = nullptr;
  FolderBrowser* folder_browser = nullptr;
  ProgramLocation* location = nullptr;
  DirectoryLister* lister = nullptr;
  ResultWindows* result_windows = nullptr;
};

/// Form1's services in a window whose controls are `controls`: each service `chosen` gives, and
/// the platform's own from `own` (all set) for each one `chosen` leaves null.
Form1Services ServicesFor(Controls& controls, const WindowServices& chosen,
                          const WindowServices& own);

/// The design of the control named `name`, or nullptr.
const ControlDesign* DesignNamed(std::string_view name);

/// The text box the design names `name` ("Text1" to "Text5"), or nothing for any other control.
std::optional<TextBox> TextBoxNamed(std::string_view name);
/// The design name of `box`.
std::string_view NameOf(TextBox box);

/// The event a click on the control named `name` raises, if any.
std::optional<Form1Event> ClickEventOf(std::string_view name);
/// The event a change by the user of the text of the control named `name` raises, if any.
std::optional<Form1Event> ChangeEventOf(std::string_view name);

/// Every control of the design, as indices into kDesign, in tab-index order.
inline constexpr std::array<std::size_t, kDesign.size()> kTabOrder = [] {
  std::array<std::size_t, kDesign.size()> order{};
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::ranges::sort(order, {}, [](std::size_t i) { return kDesign[i].tab_index; });
  return order;
}();

/// The control that has the focus when the window first shows: the first in tab-index order
/// that takes the focus.
inline constexpr std::size_t kFirstFocus =
    *std::ranges::find_if(kTabOrder, [](std::size_t i) { return TakesFocus(kDesign[i].kind); });

}  // namespace torvane
