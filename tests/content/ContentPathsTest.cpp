#include <gtest/gtest.h>

#include "content/ContentPaths.h"
#include "support/TempDir.h"

namespace veltrane {
namespace {

TEST(ContentPaths, FormedFromTheApplicationDirectory) {
  const std::filesystem::path app = "/opt/app";
  const auto problemFile = [&](const char* menu, const char* subniche, std::string name) {
    return ProblemFolderPath(app, menu, subniche) / (name + ".txt");
  };
  const struct {
    std::filesystem::path actual;
    const char* expected;
  } cases[] = {
      {NicheImagePath(app, "0"), "/opt/app/images/0.jpg"},
      {NicheImagePath(app, "5"), "/opt/app/images/5.jpg"},
      {ProblemFolderPath(app, "3", "7"), "/opt/app/niches/3/7"},
      {problemFile("3", "7", "Slow Website"), "/opt/app/niches/3/7/Slow Website.txt"},
      {problemFile("0", "0", ""), "/opt/app/niches/0/0/.txt"},
      {problemFile("0", "1", " padded "), "/opt/app/niches/0/1/ padded .txt"},
      {TemplatePath(ContentRoots{app}, true), "/opt/app/templates/template-free.txt"},
      {TemplatePath(ContentRoots{app}, false), "/opt/app/templates/template.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual.string(), c.expected);
}

// The XDG Base Directory rules: an unset, empty or relative XDG_DATA_HOME is ignored.
TEST(ContentPaths, UserFolderFollowsTheXdgRules) {
  const struct {
    const char* xdgDataHome;
    const char* home;
    const char* expected;
  } cases[] = {
      {"/data", "/home/u", "/data/veltrane"},
      {nullptr, "/home/u", "/home/u/.local/share/veltrane"},
      {"", "/home/u", "/home/u/.local/share/veltrane"},
      {"relative/data", "/home/u", "/home/u/.local/share/veltrane"},
      {"/data/", nullptr, "/data/veltrane"},
      {nullptr, nullptr, ""},
      {"", "", ""},
      {nullptr, "home", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.xdgDataHome ? c.xdgDataHome : "(unset)") + " " +
                 (c.home ? c.home : "(unset)"));
    EXPECT_EQ(UserContentRoot(c.xdgDataHome, c.home).lexically_normal(),
              std::filesystem::path(c.expected).lexically_normal());
  }
}

// A user's file replaces the shipped one of the same name; what is not there does not.
TEST(ContentPaths, TheUsersFilesComeFirst) {
  namespace fs = std::filesystem;
  test::TempDir user;
  test::TempDir app;
  const ContentRoots roots{user.path(), app.path()};
  app.Write("templates/template.txt", "t");
  app.Write("templates/template-free.txt", "t");
  app.Write("images/0.jpg", "j");
  app.Write("images/0@2x.jpg", "j");
  app.Write("images/1.jpg", "j");
  user.Write("templates/template-free.txt", "mine");
  user.Write("images/1.jpg", "mine");
  user.Write("images/2@2x.jpg", "mine, but without its plain picture");
  app.Write("images/2.jpg", "j");
  fs::create_directories(user.path() / "images/3.jpg");  // present, though it will not read
  fs::create_symlink("nowhere", user.path() / "templates/template.txt");  // dangling: absent

  EXPECT_EQ(TemplatePath(roots, true), user.path() / "templates/template-free.txt");
  EXPECT_EQ(TemplatePath(roots, false), app.path() / "templates/template.txt");
  const struct {
    const char* menu;
    NichePicture expected;
  } pictures[] = {
      {"0", {app.path() / "images/0.jpg", app.path() / "images/0@2x.jpg"}},
      {"1", {user.path() / "images/1.jpg", {}}},  // the user's picture replaces both sizes
      {"2", {app.path() / "images/2.jpg", {}}},
      {"3", {user.path() / "images/3.jpg", {}}},
      {"4", {app.path() / "images/4.jpg", {}}},  // nowhere: the shipped path, to name it
  };
  for (const auto& p : pictures) {
    SCOPED_TRACE(p.menu);
    EXPECT_EQ(NichePictureChoices(roots, p.menu).front(), p.expected);
  }
  EXPECT_EQ(NichePictureChoices(ContentRoots{app.path()}, "0").front().doubleSize,
            app.path() / "images/0@2x.jpg");
}

}  // namespace
}  // namespace veltrane
