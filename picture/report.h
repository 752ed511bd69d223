#pragma once

#include <string>
#include <vector>

#include "extract/batch_run.h"
#include "picture/scene.h"

namespace torvane::picture {

/// The run's report as one self-contained HTML page (UTF-8, lang="zh-CN", no script, no
/// external file or font): the run's inputs, the summary as a table whose rows link to their
/// panels, the notes and the failures, then every panel of `scene` (built from the same
/// `request` and `outcomes`) as inline SVG.
std::string HtmlReport(const BatchRequest& request, const std::vector<FileOutcome>& outcomes,
                       const Scene& scene);

}  // namespace torvane::picture
