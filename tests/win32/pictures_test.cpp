// Our own artwork, drawn at the sizes the pictures take at 100, 125, 150
// and 200 percent: something inside each picture's rectangle, nothing outside.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/form.h"
#include "ui/gdi.h"
#include "ui/painter.h"
#include "ui/pictures.h"

namespace brelm::win32::test {
namespace {

constexpr COLORREF kSentinel = RGB(1, 2, 3);

struct Canvas {
  WindowDC screen{nullptr};
  MemoryDC dc{screen.get()};
  Bitmap bitmap{CreateCompatibleBitmap(screen.get(), 300, 120)};
  Select keep{dc.get(), bitmap.get()};
  Canvas() {
    Brush fill(CreateSolidBrush(kSentinel));
    RECT all{0, 0, 300, 120};
    FillRect(dc.get(), &all, fill.get());
  }
  // Pixels changed inside and outside `r`.
  std::pair<int, int> changes(const RECT& r) const {
    int inside = 0, outside = 0;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 300; ++x) {
        if (GetPixel(dc.get(), x, y) == kSentinel) continue;
        const POINT p{x, y};
        (PtInRect(&r, p) ? inside : outside)++;
      }
    return {inside, outside};
  }
};

TEST(Pictures, NaturalSizesOfTheImageList) {
  EXPECT_EQ(pictureSize(1).cx, 103);
  EXPECT_EQ(pictureSize(2).cx, 123);
  EXPECT_EQ(pictureSize(3).cy, 14);
  EXPECT_EQ(pictureSize(5).cx, 16);
  EXPECT_EQ(pictureSize(8).cx, 2000);
  EXPECT_EQ(pictureSize(8).cy, 96);
  EXPECT_EQ(pictureSize(picture::kStripDark).cx, 2000);
  EXPECT_EQ(pictureSize(picture::kUnsaved).cx, 14) << "in the close image's place";
  EXPECT_EQ(pictureSize(picture::kList).cx, 19) << "an arrow's size";
  EXPECT_EQ(pictureSize(12).cx, 0);
}

TEST(Pictures, EachDrawsWithinItsPlaceAtEveryScale) {
  // Sizes a tab's elements take: background 40 x 18 px at 100 %, icon 16,
  // close image 14, arrows 19.
  for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
    auto px = [scale](int n) { return static_cast<int>(n * scale + 0.5); };
    struct Case {
      int picture;
      int w, h;
    } cases[] = {{picture::kTab, 40, 18}, {picture::kTabHover, 40, 18}, {picture::kClose, 14, 14},
                 {picture::kCloseHover, 14, 14}, {picture::kDocIcon, 16, 16}};
    for (const Case& c : cases) {
      Canvas canvas;
      const RECT r{10, 10, 10 + px(c.w), 10 + px(c.h)};
      drawPicture(canvas.dc.get(), c.picture, r);
      const auto [inside, outside] = canvas.changes(r);
      // At least a stroke across the picture: the normal close image is a thin cross.
      EXPECT_GE(inside, std::min(r.right - r.left, r.bottom - r.top))
          << "picture " << c.picture << " at " << scale;
      EXPECT_EQ(outside, 0) << "picture " << c.picture << " at " << scale;
    }
    for (const bool left : {true, false}) {
      Canvas canvas;
      const RECT r{10, 10, 10 + px(19), 10 + px(19)};
      drawArrow(canvas.dc.get(), left, r);
      const auto [inside, outside] = canvas.changes(r);
      EXPECT_GT(inside, 100) << "arrow at " << scale;
      EXPECT_EQ(outside, 0) << "arrow at " << scale;
    }
  }
}

TEST(Pictures, StripBackgroundsDifferAndFillTheirPlace) {
  COLORREF middle[4] = {};
  const int indices[] = {picture::kStripDesign, picture::kStrip6, picture::kStrip7, picture::kStrip8};
  for (int i = 0; i < 4; ++i) {
    Canvas canvas;
    const RECT r{0, 0, 300, 30};
    drawStripBackground(canvas.dc.get(), indices[i], r);
    const auto [inside, outside] = canvas.changes(r);
    EXPECT_EQ(inside, 300 * 30);
    EXPECT_EQ(outside, 0);
    middle[i] = GetPixel(canvas.dc.get(), 150, 5);
  }
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) EXPECT_NE(middle[i], middle[j]) << i << " " << j;
}

// Under a dark Office theme the selected tab's caption, which stands straight
// on the strip, is drawn light; the other captions stand on their light tabs.
TEST(Pictures, TheSelectedCaptionIsLightOnTheDarkStrip) {
  FormState form;
  form.width = 4500;
  form.picture = picture::kStripDark;
  form.image1.resize(3);
  form.label2.resize(3);
  for (int i = 1; i <= 2; ++i) {
    form.image1[i] = Element{static_cast<float>(i * 1500), 60, 1400, 300, true, picture::kTab, ""};
    form.label2[i] = Element{static_cast<float>(i * 1500 + 300), 90, 900, 240, true, 0, "WWWWW"};
  }
  form.image1[1].picture = picture::kNone;  // the selected tab
  Canvas canvas;
  const TwipsScale scale = TwipsScale::forDpi(96, 96);
  Font font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  paintForm(canvas.dc.get(), form, scale, font.get(), RECT{0, 0, 300, 120});
  auto brightest = [&](const Element& label) {
    const RECT r = scale.toPixels(label);
    int best = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = GetPixel(canvas.dc.get(), x, y);
        best = std::max<int>(best, std::min({GetRValue(c), GetGValue(c), GetBValue(c)}));
      }
    return best;
  };
  auto darkest = [&](const Element& label) {
    const RECT r = scale.toPixels(label);
    int worst = 255;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = GetPixel(canvas.dc.get(), x, y);
        worst = std::min<int>(worst, std::max({GetRValue(c), GetGValue(c), GetBValue(c)}));
      }
    return worst;
  };
  EXPECT_GT(brightest(form.label2[1]), 0xC0) << "light text on the dark strip";
  EXPECT_LT(darkest(form.label2[2]), 0x60) << "dark text on a light tab";
}

}  // namespace
}  // namespace brelm::win32::test
