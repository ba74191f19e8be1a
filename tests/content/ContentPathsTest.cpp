#include <gtest/gtest.h>

#include "content/ContentPaths.h"

namespace veltrane {
namespace {

TEST(ContentPaths, FormedFromTheApplicationDirectory) {
  const std::filesystem::path app = "/opt/app";
  const struct {
    std::filesystem::path actual;
    const char* expected;
  } cases[] = {
      {NicheImagePath(app, "0"), "/opt/app/images/0.jpg"},
      {NicheImagePath(app, "5"), "/opt/app/images/5.jpg"},
      {ProblemFolderPath(app, "3", "7"), "/opt/app/niches/3/7"},
      {ProblemFilePath(app, "3", "7", "Slow Website"), "/opt/app/niches/3/7/Slow Website.txt"},
      {ProblemFilePath(app, "0", "0", ""), "/opt/app/niches/0/0/.txt"},
      {ProblemFilePath(app, "0", "1", " padded "), "/opt/app/niches/0/1/ padded .txt"},
      {TemplatePath(app, true), "/opt/app/templates/template-free.txt"},
      {TemplatePath(app, false), "/opt/app/templates/template.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual.string(), c.expected);
}

}  // namespace
}  // namespace veltrane
