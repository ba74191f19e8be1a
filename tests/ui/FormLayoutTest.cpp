#include "ui/FormLayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace veltrane::form {
namespace {

std::string Name(std::string_view name) {
  return std::string(name);
}

// What the window, the pictures and the focus handling take for granted about the table.
TEST(FormLayout, EveryPlaceIsWholePixelsInAKnownContainer) {
  std::set<std::string_view> seen;
  std::set<std::string_view> containers{""};
  for (const Control& c : kMainControls) {
    SCOPED_TRACE(Name(c.name));
    EXPECT_TRUE(seen.insert(c.name).second) << "listed twice";
    for (int v : {c.rect.left, c.rect.top, c.rect.width, c.rect.height}) {
      EXPECT_EQ(v % kTwipsPerPixel, 0) << v;
    }
    EXPECT_GT(c.rect.width, 0);
    EXPECT_GT(c.rect.height, 0);
    if (c.kind == Kind::Container || c.kind == Kind::Panel || c.kind == Kind::Picture) {
      containers.insert(c.name);
    }
  }
  for (const Control& c : kMainControls) {
    EXPECT_TRUE(containers.contains(c.container)) << Name(c.name) << " in " << Name(c.container);
  }
  for (const InfoWindow* window : {&kHelpWindow, &kInstructionsWindow}) {
    SCOPED_TRACE(Name(window->title));
    const Rect client{0, 0, window->clientWidth, window->clientHeight};
    std::vector<Rect> rects{window->closeButton};
    for (const InfoText& text : window->texts) rects.push_back(text.rect);
    for (const Rect& r : rects) {
      EXPECT_TRUE(client.Contains(r)) << r.left << "," << r.top;
      for (int v : {r.left, r.top, r.width, r.height}) EXPECT_EQ(v % kTwipsPerPixel, 0);
    }
  }
}

TEST(FormLayout, RegionsLieApartInsideThePicture) {
  const Rect picture = MainControl("Picture1").rect;
  const Rect inPicture{0, 0, picture.width, picture.height};
  EXPECT_EQ(InPixels(inPicture), (Rect{0, 0, kPictureWidthPx, kPictureHeightPx}));
  for (std::size_t j = 0; j < kRegions.size(); ++j) {
    EXPECT_TRUE(inPicture.Contains(kRegions[j])) << j;
    EXPECT_EQ(MainControl("lblItem" + std::to_string(j)).rect, kRegions[j]);
    for (std::size_t k = j + 1; k < kRegions.size(); ++k) {
      EXPECT_FALSE(kRegions[j].Intersects(kRegions[k])) << j << " and " << k;
    }
  }
}

// The prompt panel, placed at Label4, covers every control of the niche panel but the caption
// and the "X"; the niche panel, placed at the picture's top, covers every region.
TEST(FormLayout, PanelsCoverWhatTheyHide) {
  const Rect label4 = MainControl("Label4").rect;
  const Rect prompt = MainControl("picArticlePrompt").rect;
  const Rect placed{label4.left, label4.top, prompt.width, prompt.height};
  for (const Control& c : kMainControls) {
    if (c.container != "picNiche" || c.name == "picArticlePrompt") continue;
    const bool staysInView = c.name == "lblSelectedNiche" || c.name == "lblClose";
    EXPECT_EQ(placed.Contains(c.rect), !staysInView) << Name(c.name);
    EXPECT_EQ(placed.Intersects(c.rect), !staysInView) << Name(c.name);
  }
  const Rect picture = MainControl("Picture1").rect;
  const Rect niche = MainControl("picNiche").rect;
  for (const Rect& region : kRegions) {
    // Centred on the same line as the picture and at its top, whatever the window's width.
    const Rect inPanel{region.left + (niche.width - picture.width) / 2, region.top, region.width,
                       region.height};
    EXPECT_TRUE((Rect{0, 0, niche.width, niche.height}).Contains(inPanel));
  }
}

// The ratio the window's colour checks and the picture generator rely on.
TEST(FormLayout, ContrastRatioAsTheGuidelinesMeasureIt) {
  const struct {
    Rgb a;
    Rgb b;
    double ratio;
  } cases[] = {
      {{0, 0, 0}, {255, 255, 255}, 21.0},   {{255, 255, 255}, {0, 0, 0}, 21.0},  // either order
      {{10, 20, 30}, {10, 20, 30}, 1.0},    {kGray, kWhite, 3.95},  // the grey hints on white
      {{0, 0, 255}, {255, 255, 255}, 8.59},
  };
  for (const auto& c : cases) EXPECT_NEAR(ContrastRatio(c.a, c.b), c.ratio, 0.01);
}

}  // namespace
}  // namespace veltrane::form
