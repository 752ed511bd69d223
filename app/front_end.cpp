#include "app/front_end.h"

namespace torvane {
namespace {

// The design names of the text boxes, in the order of TextBox.
constexpr std::array<std::string_view, 5> kTextBoxNames{"Text1", "Text2", "Text3", "Text4",
                                                        "Text5"};

template <typename Service>
Service& Chosen(Service* chosen, Service* own) {
  return chosen ? *chosen : *own;
}

}  // namespace

Form1Services ServicesFor(Controls& controls, const WindowServices& chosen,
                          const WindowServices& own) {
  return {
      controls,
      Chosen(chosen.message_box, own.message_box),
      Chosen(chosen.folder_browser, own.folder_browser),
      Chosen(chosen.location, own.location),
      Chosen(chosen.lister, own.lister),
      Chosen(chosen.result_windows, own.result_windows),
  };
}

const ControlDesign* DesignNamed(std::string_view name) {
  for (const ControlDesign& control : kDesign) {
    if (name == control.name) return &control;
  }
  return nullptr;
}

std::optional<TextBox> TextBoxNamed(std::string_view name) {
  for (std::size_t i = 0; i < kTextBoxNames.size(); ++i) {
    if (name == kTextBoxNames[i]) return static_cast<TextBox>(i);
  }
  return std::nullopt;
}

std::string_view NameOf(TextBox box) {
  return kTextBoxNames[static_cast<std::size_t>(box)];
}

std::optional<Form1Event> ClickEventOf(std::string_view name) {
  if (name == "Command1") return Form1Event::Command1Click;
  if (name == "Command2") return Form1Event::Command2Click;
  return std::nullopt;
}

std::optional<Form1Event> ChangeEventOf(std::string_view name) {
  if (name == "Text3") return Form1Event::Text3Change;
  if (name == "Text4") return Form1Event::Text4Change;
  return std::nullopt;
}

}  // namespace torvane
