#include "picture/report.h"

namespace torvane::picture {

std::string HtmlReport(const BatchRequest&, const std::vector<FileOutcome>&, const Scene&) {
  return {};
}

}  // namespace torvane::picture
