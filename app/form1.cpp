#include "app/form1.h"

#include <algorithm>
#include <exception>
#include <new>
#include <thread>

#include "extract/batch_run.h"
#include "extract/summary.h"
#include "picture/chart.h"
#include "runtime/cp936.h"
#include "runtime/failure.h"
#include "runtime/output_file.h"
#include "runtime/paths.h"

namespace torvane {

Form1::Form1(Form1Services services) : services_(services) {}

template <typename Handler>
void Form1::Dispatch(Handler&& handler) {
  std::string message;
  try {
    handler();
    return;
  } catch (const Failure& failure) {
    message = DescribeFailure(failure);
  } catch (const std::bad_alloc&) {
    message = "内存不足";
  } catch (const std::exception& error) {
    message = std::string("意外的错误：") + error.what();
  }
  // Every file a handler opens is closed as its owner goes out of scope, so the window can go on.
  services_.message_box.Show(message, "错误", MessageIcon::Error);
}

void Form1::Raise(Form1Event event) {
  Dispatch([&] {
    switch (event) {
      case Form1Event::Load:
        return Form_Load();
      case Form1Event::Command1Click:
        return Command1_Click();
      case Form1Event::Command2Click:
        return Command2_Click();
      case Form1Event::Text3Change:
        return Text3_Change();
      case Form1Event::Text4Change:
        return Text4_Change();
    }
  });
}

void Form1::RaiseKeyPress(TextBox box, int16_t& key_code) {
  Dispatch([&] {
    switch (box) {
      case TextBox::Text2:
        return Text2_KeyPress(key_code);
      case TextBox::Text3:
        return Text3_KeyPress(key_code);
      case TextBox::Text4:
        return Text4_KeyPress(key_code);
      case TextBox::Text1:
      case TextBox::Text5:
        return;
    }
  });
}

bool Form1::HasKeyPress(TextBox box) {
  return box == TextBox::Text2 || box == TextBox::Text3 || box == TextBox::Text4;
}

bool Form1::KeyPasses(TextBox box, std::string_view character) {
  int16_t code = KeyCodeOfUtf8(character);
  RaiseKeyPress(box, code);
  return code != 0;
}

std::string Form1::RaiseCommit(TextBox box, std::string_view commit,
                               const std::function<void(std::string_view)>& type) {
  std::string kept;
  for (std::size_t i = 0; i < commit.size();) {
    std::string_view character = commit.substr(i, Utf8SequenceLength(commit.substr(i)));
    i += character.size();
    if (!KeyPasses(box, character)) continue;
    type(character);
    kept += character;
  }
  return kept;
}

void Form1::Form_Load() {
  FolderPath = services_.location.ProgramFolder();
  services_.controls.SetText(TextBox::Text1, FolderPath);
  CatalogueFolder();
  // Text3 is editable from the start, so there is nothing to unlock once files were found.
}

void Form1::Command1_Click() {
  // A cancelled pick keeps the previous folder, which is shown again and catalogued afresh.
  std::string picked = BrowseFolder("请选择一个文件夹：");
  if (!picked.empty()) FolderPath = std::move(picked);
  services_.controls.SetText(TextBox::Text1, FolderPath);
  CatalogueFolder();
}

// A folder that cannot be listed counts "?" files and fails; so does every run until a folder
// is catalogued again.
void Form1::CatalogueFolder() {
  listing_failure_.reset();
  try {
    services_.controls.SetLabel8Caption(BuildCatalogue(catalogue, FolderPath, services_.lister));
  } catch (const Failure& failure) {
    listing_failure_ = failure;
    services_.controls.SetLabel8Caption("?");
    throw;
  }
}

std::string Form1::BrowseFolder(const std::string& title) {
  std::optional<std::string> picked =
      services_.folder_browser.Browse(title.empty() ? "选择目录" : title, FolderPath);
  return picked.value_or(std::string());
}

void Form1::Command2_Click() {
  if (listing_failure_) throw *listing_failure_;
  const std::size_t found = catalogue.FileNames.size();
  if (found > Catalogue::kCapacity) {
    throw Failure(FailureKind::TooManyDataFiles, "文件夹中有 " + std::to_string(found) +
                                                     " 个文本文件，一次最多只能处理 " +
                                                     std::to_string(Catalogue::kCapacity) + " 个");
  }
  const Controls& controls = services_.controls;
  BatchRequest request;
  request.folder_path = FolderPath;
  request.names = catalogue.FileNames;
  request.heading_text = controls.Text(TextBox::Text2);
  request.start_text = controls.Text(TextBox::Text3);
  request.end_text = controls.Text(TextBox::Text4);
  request.peak = controls.Option1Selected();
  request.summary_path = WindowSummaryFile(controls.Text(TextBox::Text5));
  BatchRun run = RunBatch(request, {});

  ReplaceFileContents(request.summary_path,
                      SummaryText(run.outcomes, SummaryFormat::TabSeparated, TextEncoding::Cp936),
                      AbsolutePath(request.summary_path));
  std::vector<Note> notes = std::move(run.notes);
  for (FileOutcome& outcome : run.outcomes) {
    for (Note& note : outcome.notes) notes.push_back(std::move(note));
  }
  const std::string summary_path = AbsolutePath(request.summary_path);
  if (services_.message_box.ShowWithButton(
          CompletionText(summary_path, SummaryLines(run.outcomes), notes), "提示",
          kViewChartCaption)) {
    // The pictures are drawn only when asked for: each data file is read once more.
    picture::ChartOptions options;
    options.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    services_.result_windows.Open(
        {picture::BuildScene(request, run.outcomes, options), summary_path});
  }
}

std::string CompletionText(const std::string& summary_path, long lines,
                           const std::vector<Note>& notes) {
  constexpr std::size_t kShown = 10;
  std::string text =
      "处理完毕\n\n汇总文件：" + summary_path + "\n共写入 " + std::to_string(lines) + " 行";
  if (notes.empty()) return text;
  text += "\n\n请留意：";
  for (std::size_t i = 0; i < notes.size() && i < kShown; ++i) {
    text += '\n';
    text += NoteLine(notes[i]);
  }
  if (notes.size() > kShown) {
    text += "\n……另有 " + std::to_string(notes.size() - kShown) + " 条未列出";
  }
  return text;
}

void Form1::Text2_KeyPress(int16_t& KeyAscii) {
  if (KeyAscii != 8 && (KeyAscii < 48 || KeyAscii > 57)) KeyAscii = 0;
}

void Form1::DecimalFilter(TextBox box, int16_t& KeyAscii) {
  if (KeyAscii == 8) return;
  if (KeyAscii == 46) {
    if (services_.controls.Text(box).find('.') != std::string::npos) KeyAscii = 0;
    return;
  }
  if (KeyAscii < 47 || KeyAscii > 57) KeyAscii = 0;
}

void Form1::Text3_KeyPress(int16_t& KeyAscii) {
  DecimalFilter(TextBox::Text3, KeyAscii);
}
void Form1::Text4_KeyPress(int16_t& KeyAscii) {
  DecimalFilter(TextBox::Text4, KeyAscii);
}

void Form1::LinkSummaryName() {
  services_.controls.SetText(TextBox::Text5, services_.controls.Text(TextBox::Text3) + "-" +
                                                 services_.controls.Text(TextBox::Text4));
}

void Form1::Text3_Change() {
  LinkSummaryName();
}
void Form1::Text4_Change() {
  LinkSummaryName();
}

}  // namespace torvane
