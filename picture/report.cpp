#include "picture/report.h"

#include "extract/notes.h"
#include "extract/summary.h"
#include "picture/chart.h"
#include "picture/svg.h"
#include "runtime/cp936.h"

namespace torvane::picture {
namespace {

constexpr const char* kStyle = R"(<style>
body{margin:24px;color:#222;background:#f5f5f2;font:14px/1.5 "Microsoft YaHei","PingFang SC","Noto Sans CJK SC","WenQuanYi Micro Hei",SimSun,sans-serif}
h1{font-size:22px;margin:0 0 12px}h2{font-size:17px;margin:28px 0 8px}
table{border-collapse:collapse;background:#fff}
th,td{border:1px solid #ccc;padding:3px 12px;text-align:left;vertical-align:top}
th{background:#eceae4;font-weight:600}td.v{font-family:Consolas,"DejaVu Sans Mono",monospace}
ul{margin:0;padding-left:22px}
.panels{display:flex;flex-wrap:wrap;gap:10px}
.panels svg{background:#fff;border:1px solid #d4d4d0}
.panels svg:target{outline:3px solid #d62728}
</style>
)";

std::string Cell(const std::string& text, const char* cls = nullptr) {
  return std::string(cls ? "<td class=\"" + std::string(cls) + "\">" : "<td>") + Escaped(text) +
         "</td>";
}

std::string InputRow(const char* what, const std::string& value) {
  return std::string("<tr><th>") + what + "</th>" + Cell(value) + "</tr>\n";
}

std::string PanelId(std::size_t i) {
  std::string id = "p";  // appended, not "p" + ...: GCC's -Wrestrict misfires on that at -O3
  id += std::to_string(i + 1);
  return id;
}

}  // namespace

std::string HtmlReport(const BatchRequest& request, const std::vector<FileOutcome>& outcomes,
                       const Scene& scene) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\"/>\n"
      "<meta name=\"viewport\" content=\"width=device-width, "
      "initial-scale=1\"/>\n<title>峰谷提取报告 - " +
      Escaped(request.folder_path) + "</title>\n" + kStyle +
      "</head>\n<body>\n<h1>峰谷提取报告</h1>\n";

  html += "<h2>输入</h2>\n<table>\n";
  html += InputRow("数据文件夹", request.folder_path);
  html += InputRow("横坐标范围", request.start_text + " ~ " + request.end_text + "（含两端）");
  html += InputRow("忽略的行数", request.heading_text);
  html += InputRow("取", request.peak ? "峰值（纵坐标最大的一行）" : "谷值（纵坐标最小的一行）");
  if (request.style.decimal_comma) html += InputRow("小数点", "逗号（分号也分隔两列）");
  html += InputRow("文件数", std::to_string(outcomes.size()));
  html += "</table>\n";

  html += "<h2>汇总</h2>\n<table>\n<tr><th>文件</th><th>X</th><th>Y</th><th>行号</th></tr>\n";
  std::string notes;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const FileOutcome& outcome = outcomes[i];
    if (outcome.failure) {
      notes += "<li>" +
               Escaped(outcome.name + "：出错，未列入汇总：" + FailureReason(*outcome.failure)) +
               "</li>\n";
      continue;
    }
    const FileResult& result = outcome.result;
    html += "<tr><td><a href=\"#" + PanelId(i) + "\">" +
            Escaped(BaseName(outcome.name, TextEncoding::Utf8)) + "</a></td>";
    if (result.found) {
      html += Cell(Cp936ToUtf8(result.row.x), "v") + Cell(Cp936ToUtf8(result.row.y), "v") +
              Cell(std::to_string(result.row.line));
    } else {
      html += "<td></td><td></td><td></td>";
    }
    html += "</tr>\n";
    for (const Note& note : NotesOn(outcome.name, result, request.style)) {
      notes += "<li>" + Escaped(NoteLine(note)) + "</li>\n";
    }
  }
  html += "</table>\n<h2>提示</h2>\n";
  html += notes.empty() ? "<p>没有提示。</p>\n" : "<ul>\n" + notes + "</ul>\n";

  html += "<h2>图表</h2>\n<div class=\"panels\">\n";
  for (std::size_t i = 0; i < scene.panels.size(); ++i) {
    html += InlinePanelSvg(scene.panels[i], PanelId(i));
  }
  return html + "</div>\n</body>\n</html>\n";
}

}  // namespace torvane::picture
