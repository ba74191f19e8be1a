#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "content/NicheCatalog.h"

// The windows' layout, in one place for the Qt windows, the picture generator and the tests.
// Positions and sizes are in twips (1/1440 inch; 15 twips make a pixel at 96 dpi), each
// counted from the top-left corner of its container's client area.
namespace veltrane::form {

inline constexpr int kTwipsPerPixel = 15;

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  constexpr int right() const { return left + width; }
  constexpr int bottom() const { return top + height; }
  constexpr bool Contains(const Rect& r) const {
    return r.left >= left && r.top >= top && r.right() <= right() && r.bottom() <= bottom();
  }
  constexpr bool Intersects(const Rect& r) const {
    return r.left < right() && left < r.right() && r.top < bottom() && top < r.bottom();
  }
  bool operator==(const Rect&) const = default;
};

// The same rectangle in pixels at 96 dpi.
constexpr Rect InPixels(const Rect& r) {
  return {r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
          r.height / kTwipsPerPixel};
}

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Rgb&) const = default;
};

// Contrast ratio of two colours as the Web Content Accessibility Guidelines measure it: 1 to 21.
double ContrastRatio(Rgb a, Rgb b);

inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kDarkGreen{0, 64, 0};
inline constexpr Rgb kLightYellow{255, 255, 192};
inline constexpr Rgb kLightGreen{192, 255, 192};
inline constexpr Rgb kGray{128, 128, 128};
inline constexpr Rgb kDarkGray{64, 64, 64};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kLinkBlue{0, 0, 192};

// Verdana in points; bold is weight 700.
struct Font {
  double points = 9;
  bool bold = false;
  bool underline = false;
};

enum class Kind {
  Container,  // a plain rectangle that holds controls
  Panel,      // a container with a flat one-pixel border line
  Picture,    // the niche picture, drawn unscaled at its top-left corner
  Label,      // static text
  Link,       // a clickable label in the link style
  CloseLink,  // the "X": clickable, not in the link style
  Region,     // an invisible click region over the niche picture
  Marker,     // the filled square beside the selected menu entry
  LineBox,    // one-line text box
  TextBox,    // multi-line text box with word wrap and a vertical scroll bar
  List,
  CheckBox,
  Button,
  ComboBox,  // a drop-down list to choose one entry from
};

enum class Align { Left, Center, Right };

struct Control {
  std::string_view name;
  std::string_view container;  // empty: the window itself
  Kind kind = Kind::Label;
  Rect rect;
  std::string_view text;
  Font font;
  std::optional<Rgb> textColor;
  std::optional<Rgb> background;  // none: transparent, or the system colour for boxes and panels
  Align align = Align::Left;
};

// The eight subniche regions over the niche picture, by subniche index. Every niche picture
// shows subniche j under region j.
inline constexpr std::array<Rect, kSubnicheCount> kRegions{{
    {3600, 450, 1995, 1275},   // top centre
    {5985, 1710, 1995, 1275},  // upper right
    {7110, 4005, 1995, 1275},  // right
    {5895, 6210, 1995, 1275},  // lower right
    {3600, 7470, 1995, 1275},  // bottom centre
    {1350, 6300, 1995, 1275},  // lower left
    {90, 4050, 1995, 1275},    // left
    {1215, 1800, 2310, 1275},  // upper left, wider
}};

// The niche menu's entries, by menu index; their captions are the catalogue's.
inline constexpr std::array<Rect, kNicheCount> kMenuEntries{{
    {405, 360, 4155, 330},
    {405, 810, 4155, 285},
    {405, 1260, 4155, 330},
    {405, 1710, 4155, 330},
    {405, 2160, 4155, 330},
    {405, 2610, 4155, 375},
}};

inline constexpr std::string_view kMainTitle = "Veltrane!";
// The client area the window takes when restored from maximized.
inline constexpr Rect kMainClient{0, 0, 17250, 9495};
inline constexpr int kPictureWidthPx = 622;
inline constexpr int kPictureHeightPx = 670;

// The main window's controls, each container's front-most first: where two siblings overlap,
// the earlier one covers the later one. Members left out keep their defaults (g++ 12 warns of
// that even for designated initializers).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
inline constexpr auto kMainControls = std::to_array<Control>({
    // The window.
    {.name = "picNiche", .kind = Kind::Panel, .rect = {4995, 3690, 15180, 9330}},
    {.name = "picMenu",
     .kind = Kind::Container,
     .rect = {270, 1035, 4065, 4695},
     .background = kWhite},
    {.name = "Picture1",
     .kind = Kind::Picture,
     .rect = {5040, 765, 9330, 10050},
     .background = kWhite},
    {.name = "Picture2",
     .kind = Kind::Container,
     .rect = {270, 270, 4065, 690},
     .background = kDarkGreen},
    {.name = "lblInstructions",
     .kind = Kind::Link,
     .rect = {16380, 225, 1545, 330},
     .text = "Instructions",
     .font = {9.75, true, true},
     .align = Align::Right},

    // The niche panel.
    {.name = "picArticlePrompt",
     .container = "picNiche",
     .kind = Kind::Panel,
     .rect = {9135, 5445, 14280, 8340}},
    // Beside the button, in what was free space: how the prompt is shaped.
    {.name = "cboArticleType",
     .container = "picNiche",
     .kind = Kind::ComboBox,
     .rect = {585, 8475, 4500, 480},
     .font = {9}},
    {.name = "lblArticleOptions",
     .container = "picNiche",
     .kind = Kind::Link,
     .rect = {10410, 8550, 3600, 330},
     .text = "Article Options\u2026",
     .font = {9.75, false, true}},
    {.name = "cmdGenerate",
     .container = "picNiche",
     .kind = Kind::Button,
     .rect = {5355, 8370, 4785, 690},
     .text = "Generate Article Prompt",
     .font = {9.75, true},
     .background = kLightGreen},
    {.name = "chkFree",
     .container = "picNiche",
     .kind = Kind::CheckBox,
     .rect = {585, 4050, 3570, 420},
     .text = "Recommend Free Resources",
     .font = {9.75, true},
     .background = kWhite},
    {.name = "lstProblems",
     .container = "picNiche",
     .kind = Kind::List,
     .rect = {585, 1125, 12885, 1680},
     .font = {11.25}},
    {.name = "txtProblem",
     .container = "picNiche",
     .kind = Kind::LineBox,
     .rect = {585, 3330, 10860, 600},
     .font = {11.25}},
    {.name = "txtFree",
     .container = "picNiche",
     .kind = Kind::TextBox,
     .rect = {585, 4545, 13560, 780},
     .font = {11.25}},
    {.name = "txtPaid",
     .container = "picNiche",
     .kind = Kind::TextBox,
     .rect = {585, 6345, 13560, 1275},
     .font = {11.25}},
    {.name = "lblSelectedNiche",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {585, 225, 9195, 330},
     .text = "Niche:",
     .font = {11.25, true},
     .background = kLightYellow},
    {.name = "lblHelp",
     .container = "picNiche",
     .kind = Kind::Link,
     .rect = {4320, 5940, 5505, 330},
     .text = "How to Monetize these paid resources?",
     .font = {9.75, false, true}},
    {.name = "Label8",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {585, 7695, 11625, 555},
     .text = "Want to remove some resources? You can. Want to add your own resources? You can. "
             "Just try to use a similar format (product name: product description and "
             "features).",
     .font = {9.75},
     .textColor = kGray},
    {.name = "lblClose",
     .container = "picNiche",
     .kind = Kind::CloseLink,
     .rect = {14580, 225, 330, 375},
     .text = "X",
     .font = {14.25, true},
     .textColor = kBlue},
    {.name = "Label5",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {585, 2970, 3030, 465},
     .text = "Additional Details:",
     .font = {9.75, true}},
    {.name = "Label4",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {585, 765, 8385, 465},
     .text = "Select a Topic (Problem) for Your Article:",
     .font = {9.75, true}},
    {.name = "Label3",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {4230, 4140, 10275, 465},
     .text = "Recommending free resources can help highlight the value of paid options and "
             "increase your conversions.",
     .font = {9},
     .textColor = kGray},
    {.name = "Label2",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {585, 5400, 9870, 465},
     .text = "If you recommend a free resource, the prompt will give more weight to the paid "
             "resources.",
     .font = {9.75},
     .textColor = kGray},
    {.name = "Label1",
     .container = "picNiche",
     .kind = Kind::Label,
     .rect = {585, 5940, 3705, 465},
     .text = "Recommended Paid Resources:",
     .font = {9.75, true}},

    // The prompt panel.
    {.name = "txtPrompt",
     .container = "picArticlePrompt",
     .kind = Kind::TextBox,
     .rect = {810, 765, 12975, 7035},
     .font = {11.25}},
    {.name = "lblCopyToClipboard",
     .container = "picArticlePrompt",
     .kind = Kind::Link,
     .rect = {11250, 270, 2490, 330},
     .text = "Copy to Clipboard",
     .font = {9.75, true, true},
     .align = Align::Right},
    {.name = "Label6",
     .container = "picArticlePrompt",
     .kind = Kind::Label,
     .rect = {810, 270, 2895, 375},
     .text = "Your Article Prompt:",
     .font = {11.25, true}},

    // The niche menu: the marker, then the entries as they are stacked.
    {.name = "shPosition",
     .container = "picMenu",
     .kind = Kind::Marker,
     .rect = {90, 405, 150, 150},
     .background = kLightYellow},
    {.name = "lblMenu5",
     .container = "picMenu",
     .kind = Kind::Link,
     .rect = kMenuEntries[5],
     .font = {9, false, true}},
    {.name = "lblMenu4",
     .container = "picMenu",
     .kind = Kind::Link,
     .rect = kMenuEntries[4],
     .font = {9, false, true}},
    {.name = "lblMenu3",
     .container = "picMenu",
     .kind = Kind::Link,
     .rect = kMenuEntries[3],
     .font = {9, false, true}},
    {.name = "lblMenu2",
     .container = "picMenu",
     .kind = Kind::Link,
     .rect = kMenuEntries[2],
     .font = {9, false, true}},
    {.name = "lblMenu0",
     .container = "picMenu",
     .kind = Kind::Link,
     .rect = kMenuEntries[0],
     .font = {9, false, true}},
    {.name = "lblMenu1",
     .container = "picMenu",
     .kind = Kind::Link,
     .rect = kMenuEntries[1],
     .font = {9, false, true}},

    // The niche picture's regions, 7 down to 0.
    {.name = "lblItem7", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[7]},
    {.name = "lblItem6", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[6]},
    {.name = "lblItem5", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[5]},
    {.name = "lblItem4", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[4]},
    {.name = "lblItem3", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[3]},
    {.name = "lblItem2", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[2]},
    {.name = "lblItem1", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[1]},
    {.name = "lblItem0", .container = "Picture1", .kind = Kind::Region, .rect = kRegions[0]},

    // The title badge.
    {.name = "lblAppName",
     .container = "Picture2",
     .kind = Kind::Label,
     .rect = {270, 180, 3435, 375},
     .text = "Veltrane!",
     .font = {11.25, true},
     .textColor = kWhite,
     .align = Align::Center},
});
#pragma GCC diagnostic pop

// A control of the main window by name; naming one that is not there does not compile where
// the name is a constant.
constexpr const Control& MainControl(std::string_view name) {
  for (const Control& control : kMainControls) {
    if (control.name == name) return control;
  }
  throw "no such control";
}

// The help and instructions windows: fixed texts, dark grey, and a "Close" button in front.
struct InfoText {
  std::string_view name;
  Rect rect;
  bool bold = false;
  std::string_view text;
};

struct InfoWindow {
  std::string_view title;
  int clientWidth;
  int clientHeight;
  std::span<const InfoText> texts;  // top to bottom
  Rect closeButton;
  Font closeFont;
};

inline constexpr double kInfoTextPoints = 11.25;

inline constexpr auto kHelpTexts = std::to_array<InfoText>({
    {"Label1", {945, 630, 9465, 555}, true, "How to Monetize the Paid Resources"},
    {"Label7",
     {945, 1125, 9465, 555},
     false,
     "The paid resources are resources that ChatGPT know (can write content for them) and that "
     "you can promote as an affiliate (always check this as things may change). "},
    {"Label9",
     {945, 1980, 9555, 555},
     false,
     "You can insert your affiliate links after generating your article with ChatGPT (or any "
     "other tool)."},
});

inline constexpr auto kInstructionsTexts = std::to_array<InfoText>({
    {"Label4",
     {810, 720, 9465, 555},
     false,
     "The software helps you to create \"Problem-Solution\" article prompts that you can use "
     "inside ChatGPT or other tools."},
    {"Label5",
     {810, 1485, 9870, 555},
     false,
     "Each article can be monetized with affiliate products (the software will give you "
     "suggestions for each topic so you don't have to do the research)."},
    {"Label1", {810, 2340, 9465, 555}, true, "Instructions"},
    {"Label7",
     {810, 2970, 9465, 555},
     false,
     "To get started, choose a niche. Then, select a common problem from the list.\n\n"},
    {"Label2",
     {810, 3690, 9465, 555},
     false,
     "Each article includes a recommendation for 1 free resource (which you can omit if you "
     "prefer) and 2 or 3 paid resources that you can promote as an affiliate."},
    {"Label6",
     {810, 4590, 9465, 1005},
     false,
     "Note: If you want to promote the recommended products as an affiliate, you can Google each "
     "resource's name like this: \"resource name affiliate program\" (if you find that an "
     "affiliate program is not available, you can replace it with another one)."},
    {"Label3",
     {810, 5760, 9465, 555},
     false,
     "Finally, click \"Generate Article Prompt\" to create a prompt that you can insert into "
     "ChatGPT or another system."},
    {"Label8", {810, 6570, 9465, 555}, false, "That's All!"},
});

inline constexpr InfoWindow kHelpWindow{"Help",   11595, 4260, kHelpTexts, {4275, 3060, 3210, 825},
                                        {9, true}};
inline constexpr InfoWindow kInstructionsWindow{
    "Instructions", 11490, 8160, kInstructionsTexts, {4410, 7065, 2760, 735}, {9.75, false}};

}  // namespace veltrane::form
