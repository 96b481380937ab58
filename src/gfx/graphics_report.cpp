#include "gfx/graphics_report.h"

#include "gfx/graphics_advice.h"

namespace dkl {

GraphicsReport MakeGraphicsReport(std::vector<GraphicsAdapter> adapters) {
  GraphicsReport report;
  report.adapters = std::move(adapters);
  if (report.adapters.empty()) return report;
  Advice advice = EvaluateAdvice(report.adapters);
  report.level = advice.level;
  report.findings = std::move(advice.findings);
  if (advice.chosen < report.adapters.size()) report.chosen_adapter = advice.chosen;
  return report;
}

std::string GraphicsSignature(const GraphicsReport& report) {
  if (!report.chosen_adapter || *report.chosen_adapter >= report.adapters.size()) return {};
  const GraphicsAdapter& adapter = report.adapters[*report.chosen_adapter];
  return adapter.name + "|" + adapter.driver_version;
}

}  // namespace dkl
