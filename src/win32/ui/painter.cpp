#include "ui/painter.h"

#include "system/text.h"
#include "ui/gdi.h"
#include "ui/pictures.h"

namespace brelm::win32 {

namespace {

void paintImages(HDC dc, const std::vector<Element>& elements, const TwipsScale& scale) {
  for (size_t i = 1; i < elements.size(); ++i) {
    const Element& e = elements[i];
    if (e.visible && e.picture != picture::kNone) drawPicture(dc, e.picture, scale.toPixels(e));
  }
}

// A caption stands on its tab's background, or, for the selected tab, whose
// background has no picture, straight on the strip: light on a dark strip.
void paintCaptions(HDC dc, const FormState& form, const TwipsScale& scale, HFONT font) {
  Select selectFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const std::vector<Element>& labels = form.label2;
  for (size_t i = 1; i < labels.size(); ++i) {
    const Element& e = labels[i];
    if (!e.visible || e.caption.empty()) continue;
    const bool onStrip = i < form.image1.size() && form.image1[i].picture == picture::kNone;
    SetTextColor(dc, onStrip && form.picture == picture::kStripDark ? RGB(0xF2, 0xF2, 0xF2)
                                                                     : RGB(0x1F, 0x23, 0x29));
    RECT r = scale.toPixels(e);
    const std::wstring text = widen(e.caption);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_TOP | DT_NOCLIP);
  }
}

void paintArrow(HDC dc, const Element& arrow, bool left, const TwipsScale& scale) {
  if (arrow.visible) drawArrow(dc, left, scale.toPixels(arrow));
}

}  // namespace

void paintForm(HDC dc, const FormState& form, const TwipsScale& scale, HFONT captionFont,
               const RECT& client) {
  drawStripBackground(dc, form.picture, client);
  paintImages(dc, form.image1, scale);  // backgrounds, below the rest of each tab
  paintImages(dc, form.image3, scale);
  paintCaptions(dc, form, scale, captionFont);
  paintImages(dc, form.image2, scale);
  paintArrow(dc, form.ileft, true, scale);
  paintArrow(dc, form.iright, false, scale);
  if (form.ilist.visible) drawListButton(dc, scale.toPixels(form.ilist));
}

}  // namespace brelm::win32
