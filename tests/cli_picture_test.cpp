// `zenphal-cli decompose --svg/--png/--label`: the pictures it writes without
// a display, compared with the picture drawn here for the same decomposition,
// and its exit codes and messages for files it cannot write.
#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QXmlStreamReader>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_support.h"
#include "decomposition/decomposition.h"
#include "engine/aligner.h"
#include "engine/rna_structure.h"
#include "render/frame_mapping.h"
#include "render/picture_export.h"
#include "formats/example_table.h"

using namespace zenphal;

namespace {

using zenphal::testing::ReadFile;
using zenphal::testing::TempPath;
using Result = zenphal::testing::CliResult;

// Runs the CLI with no display and a platform that would need one: the
// pictures must not depend on either.
Result RunCli(const std::string& args) {
  return zenphal::testing::RunCli(args, "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb ");
}

// The toy examples' decomposition on the default rectangle, computed here.
struct ToyDecomposition {
  CRnaStructure first{ExampleTable()[0].bases, ExampleTable()[0].stems};
  CRnaStructure second{ExampleTable()[1].bases, ExampleTable()[1].stems};
  CAligner aligner{first, second, 1.0f, 0.5f};
  CDecomposition decomposition;
  ToyDecomposition() {
    decomposition.Init(0, 2, 0, 2);
    decomposition.SetAligner(&aligner);
    decomposition.Run();
  }
};

using Line = std::pair<PixelPoint, PixelPoint>;

// The SVG's lines in document order (<polyline> ends; a <circle> is a line
// whose ends share a pixel) and its texts.
struct SvgContent {
  std::vector<Line> lines;
  std::vector<std::string> texts;
  std::string error;
};

SvgContent ParseSvg(const std::string& svg) {
  SvgContent content;
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto a = xml.attributes();
    if (xml.name() == QLatin1String("polyline")) {
      const QStringList points = a.value("points").toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
      const auto point = [](const QString& p) {
        return PixelPoint{p.section(QLatin1Char(','), 0, 0).toInt(), p.section(QLatin1Char(','), 1, 1).toInt()};
      };
      if (points.size() == 2) content.lines.emplace_back(point(points[0]), point(points[1]));
      else content.error = "a polyline of " + std::to_string(points.size()) + " points";
    } else if (xml.name() == QLatin1String("circle")) {
      const PixelPoint c{a.value("cx").toInt(), a.value("cy").toInt()};
      content.lines.emplace_back(c, c);
    } else if (xml.name() == QLatin1String("text")) {
      content.texts.push_back(xml.readElementText().toStdString());
    }
  }
  if (xml.hasError()) content.error = xml.errorString().toStdString();
  return content;
}

// The edges of the CLI's JSON in pixels, in list order.
std::vector<Line> JsonEdgeLines(const nlohmann::json& j) {
  const ParameterRectangle r{j["mismatch_range"][0].get<float>(), j["gap_range"][0].get<float>(),
                             j["mismatch_range"][1].get<float>(), j["gap_range"][1].get<float>()};
  std::vector<Line> lines;
  for (const auto& polygon : j["polygons"]) {
    for (const auto& e : polygon["edges"]) {
      lines.emplace_back(ParameterToPixel(r, e[0].get<float>(), e[1].get<float>()),
                         ParameterToPixel(r, e[2].get<float>(), e[3].get<float>()));
    }
  }
  return lines;
}

bool SameImage(const QImage& a, const QImage& b) {
  return a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

constexpr size_t kArrowLines = 6;

}  // namespace

TEST(CliPictures, WritesTheViewsPictureWithoutADisplay) {
  const std::string svg = TempPath("toy.svg"), png = TempPath("toy.png"), json = TempPath("toy.json");
  const Result r = RunCli("decompose example:1 example:2 -q --svg " + svg + " --png " + png + " --json " + json);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, RunCli("decompose example:1 example:2 -q").out);  // the report as without pictures

  // One line per listed edge, after the axis arrows, in list order.
  const auto j = nlohmann::json::parse(ReadFile(json));
  const std::vector<Line> edges = JsonEdgeLines(j);
  ASSERT_EQ(edges.size(), 39u);  // 11 polygons
  const SvgContent content = ParseSvg(ReadFile(svg));
  ASSERT_EQ(content.error, "");
  ASSERT_EQ(content.lines.size(), kArrowLines + edges.size());
  EXPECT_EQ(content.lines[0], Line({100, 50}, {100, 25}));
  EXPECT_TRUE(std::equal(edges.begin(), edges.end(), content.lines.begin() + kArrowLines));
  EXPECT_EQ(content.texts.size(), 11u);
  EXPECT_EQ(content.texts[3], "Attention:");

  // The PNG is the picture drawn here for the same decomposition.
  const ToyDecomposition toy;
  ASSERT_EQ(toy.decomposition.PolygonCount(), static_cast<int>(j["polygons"].size()));
  const QImage written(QString::fromStdString(png));
  ASSERT_FALSE(written.isNull());
  EXPECT_TRUE(SameImage(written, DecompositionImage(toy.decomposition, QGuiApplication::font(), false)));
}

TEST(CliPictures, LabelsNumberThePolygonsAsTheReportDoes) {
  const std::string svg = TempPath("labelled.svg"), png = TempPath("labelled.png");
  const Result r = RunCli("decompose example:1 example:2 -q --mismatch 0,2.5 --label --svg " + svg + " --png " + png);
  ASSERT_EQ(r.status, 0) << r.err;
  CRnaStructure first(ExampleTable()[0].bases, ExampleTable()[0].stems);
  CRnaStructure second(ExampleTable()[1].bases, ExampleTable()[1].stems);
  CAligner aligner(first, second, 1.0f, 0.5f);
  CDecomposition d;
  d.Init(0, 2.5f, 0, 2);
  d.SetAligner(&aligner);
  d.Run();
  const int n = d.PolygonCount();
  EXPECT_NE(r.out.find("There are " + std::to_string(n) + " optimal alignments"), std::string::npos);

  const SvgContent content = ParseSvg(ReadFile(svg));
  ASSERT_EQ(content.error, "");
  std::vector<std::string> expected;
  for (int k = 1; k <= n; ++k) expected.push_back(std::to_string(k));
  for (const char* range : {"0", "2", "0", "2.500"}) expected.push_back(range);  // gap from, to; mismatch from, to
  ASSERT_EQ(content.texts.size(), 11 + expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), content.texts.begin() + 11));

  EXPECT_TRUE(SameImage(QImage(QString::fromStdString(png)), DecompositionImage(d, QGuiApplication::font(), true)));
  EXPECT_FALSE(SameImage(QImage(QString::fromStdString(png)), DecompositionImage(d, QGuiApplication::font(), false)));
}

TEST(CliPictures, FilesThatCannotBeWrittenExitTwoNamingThem) {
  const std::string missing = TempPath("no-such-folder/toy.png");
  Result r = RunCli("decompose example:1 example:2 -q --png " + missing);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "zenphal-cli: " + missing + ": cannot create: No such file or directory\n");
  EXPECT_EQ(r.out, "");  // no report after a failed picture

  const std::string folder = TempPath("a-folder.svg");
  std::filesystem::create_directories(folder);
  r = RunCli("decompose example:1 example:2 -q --svg " + folder);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.rfind("zenphal-cli: " + folder + ": cannot create: ", 0), 0u) << r.err;

  r = RunCli("decompose example:1 example:2 -q --label");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "zenphal-cli: --label: the labels go on a picture; give --svg FILE or --png FILE as well\n");
  const std::string same = TempPath("same");
  r = RunCli("decompose example:1 example:2 -q --svg " + same + " --png " + same);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "zenphal-cli: --svg and --png name the same file, " + same + "; give each output a file of its own\n");
  r = RunCli("decompose example:1 example:2 -q --report " + same + " --json " + same);
  EXPECT_EQ(r.status, 2);
  EXPECT_FALSE(std::filesystem::exists(same));
  r = RunCli("decompose example:1 example:2 -q --png");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--png"), std::string::npos) << r.err;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Pictures drawn here need fonts, and so a GUI application, but no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
