// The preview files: JSON report and SVG path picture.
#include "preview_writer.h"

#include <algorithm>
#include <cinttypes>
#include <string>
#include <utility>
#include <vector>

namespace board::sim {
namespace {

const char* onOff(bool on) { return on ? "on" : "off"; }
const char* jsonBool(bool on) { return on ? "true" : "false"; }

bool finished(std::FILE* file) { return std::fflush(file) == 0 && !std::ferror(file); }

// The report in words, one caption line each; no text here needs XML escaping.
std::vector<std::string> captionLines(const MotionModel& m) {
  const AxisTotals& x = m.axis(kAxisX);
  const AxisTotals& y = m.axis(kAxisY);
  const uint64_t seconds = m.waitMilliseconds() / 1000;
  char line[256];
  std::vector<std::string> lines;
  std::snprintf(line, sizeof line,
                "Board calls %" PRIu64 "; waits %" PRIu64 " ms in all (%" PRIu64 ":%02u:%02u h:min:s)",
                m.boardCalls(), m.waitMilliseconds(), seconds / 3600,
                static_cast<unsigned>(seconds / 60 % 60), static_cast<unsigned>(seconds % 60));
  lines.emplace_back(line);
  for (const auto& [name, a] : {std::pair{"X", &x}, std::pair{"Y", &y}}) {
    std::snprintf(line, sizeof line,
                  "%s pulses %" PRIu64 " positive, %" PRIu64 " negative; direction writes %" PRIu64,
                  name, a->positivePulses, a->negativePulses, a->directionWrites);
    lines.emplace_back(line);
  }
  std::snprintf(line, sizeof line,
                "End at (%" PRId64 ", %" PRId64 ") steps; extent X %" PRId64 " to %" PRId64
                ", Y %" PRId64 " to %" PRId64,
                m.position().x, m.position().y, x.min, x.max, y.min, y.max);
  lines.emplace_back(line);
  std::snprintf(line, sizeof line, "Run lines at the end: 3 %s, 6 %s; %zu straight segments",
                onOff(m.isOn(OUT_RUN_1)), onOff(m.isOn(OUT_RUN_2)), m.segmentCount());
  lines.emplace_back(line);
  return lines;
}

}  // namespace

bool writeReport(std::FILE* f, const MotionModel& m) {
  const AxisTotals& x = m.axis(kAxisX);
  const AxisTotals& y = m.axis(kAxisY);
  std::fprintf(f, "{\n  \"board_calls\": %" PRIu64 ",\n", m.boardCalls());
  std::fprintf(f,
               "  \"pulses\": {\"x_positive\": %" PRIu64 ", \"x_negative\": %" PRIu64
               ", \"y_positive\": %" PRIu64 ", \"y_negative\": %" PRIu64 "},\n",
               x.positivePulses, x.negativePulses, y.positivePulses, y.negativePulses);
  std::fprintf(f, "  \"direction_writes\": {\"x\": %" PRIu64 ", \"y\": %" PRIu64 "},\n",
               x.directionWrites, y.directionWrites);
  std::fprintf(f, "  \"position\": {\"x\": %" PRId64 ", \"y\": %" PRId64 "},\n", m.position().x,
               m.position().y);
  std::fprintf(f,
               "  \"extent\": {\"x_min\": %" PRId64 ", \"x_max\": %" PRId64 ", \"y_min\": %" PRId64
               ", \"y_max\": %" PRId64 "},\n",
               x.min, x.max, y.min, y.max);
  std::fprintf(f, "  \"wait_ms\": %" PRIu64 ",\n", m.waitMilliseconds());
  std::fprintf(f, "  \"run_lines_on\": {\"3\": %s, \"6\": %s},\n", jsonBool(m.isOn(OUT_RUN_1)),
               jsonBool(m.isOn(OUT_RUN_2)));
  std::fprintf(f, "  \"segments\": %zu\n}\n", m.segmentCount());
  return finished(f);
}

bool writePlot(std::FILE* f, const MotionModel& m) {
  const AxisTotals& ax = m.axis(kAxisX);
  const AxisTotals& ay = m.axis(kAxisY);
  // The drawing is in motor steps inside a nested viewport; only its frame and
  // the caption are in pixels. Doubles: an extent may exceed what int32 holds.
  const double spanX = static_cast<double>(ax.max - ax.min);
  const double spanY = static_cast<double>(ay.max - ay.min);
  const double pad = std::max({spanX, spanY, 1.0}) / 25.0;
  const double boxW = spanX + 2 * pad;
  const double boxH = spanY + 2 * pad;
  const double scale = 760.0 / std::max(boxW, boxH);  // pixels per step
  const double drawW = boxW * scale;
  const double drawH = boxH * scale;

  const std::vector<std::string> caption = captionLines(m);
  const double margin = 20.0;
  const double lineHeight = 18.0;
  const double width = std::max(drawW, 680.0) + 2 * margin;
  const double captionTop = margin + drawH + 24.0;
  const double height = captionTop + lineHeight * static_cast<double>(caption.size()) + margin / 2;

  std::fprintf(f,
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%.0f\" "
               "height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\">\n",
               width, height, width, height);
  std::fprintf(f, "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n");
  // y upwards: the group mirrors y, so the points below are plain step positions.
  std::fprintf(f,
               "<svg x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" "
               "viewBox=\"%.3f %.3f %.3f %.3f\">\n<g transform=\"scale(1,-1)\">\n",
               (width - drawW) / 2, margin, drawW, drawH, static_cast<double>(ax.min) - pad,
               -static_cast<double>(ay.max) - pad, boxW, boxH);
  std::fprintf(f,
               "<polyline id=\"path\" fill=\"none\" stroke=\"#1f4e9c\" stroke-width=\"%.4g\" "
               "stroke-linejoin=\"round\" stroke-linecap=\"round\" points=\"",
               1.5 / scale);
  const std::vector<StepPoint> points = m.path();
  for (std::size_t i = 0; i < points.size(); ++i) {
    std::fprintf(f, "%s%" PRId64 ",%" PRId64, i == 0 ? "" : (i % 8 == 0 ? "\n" : " "), points[i].x,
                 points[i].y);
  }
  std::fprintf(f, "\"/>\n");
  std::fprintf(f,
               "<circle id=\"start\" cx=\"%" PRId64 "\" cy=\"%" PRId64
               "\" r=\"%.4g\" fill=\"#2ca02c\" fill-opacity=\"0.8\"/>\n",
               points.front().x, points.front().y, 5.0 / scale);
  std::fprintf(f, "</g>\n</svg>\n");
  std::fprintf(f, "<g id=\"caption\" font-family=\"sans-serif\" font-size=\"13\" fill=\"#222\">\n");
  for (std::size_t i = 0; i < caption.size(); ++i) {
    std::fprintf(f, "<text x=\"%.0f\" y=\"%.0f\">%s</text>\n", margin,
                 captionTop + lineHeight * static_cast<double>(i), caption[i].c_str());
  }
  std::fprintf(f, "</g>\n</svg>\n");
  return finished(f);
}

}  // namespace board::sim
