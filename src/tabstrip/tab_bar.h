#pragma once
// The tab bar form and its methods: creating, placing, scrolling, renaming and
// removing tabs, selection, hover and reordering. None of these talk to the host.
// Element accesses are checked: an index that names no loaded element throws
// std::out_of_range, which callers treat like a failing control call.
#include <string>

#include "platform/form.h"
#include "platform/window_system.h"
#include "tabstrip/tab_model.h"

namespace brelm {

class TabBar {
 public:
  TabBar(FormToolkit& toolkit, WindowSystem& windows) : tk_(toolkit), ws_(windows) {}
  TabBar(const TabBar&) = delete;
  TabBar& operator=(const TabBar&) = delete;

  FormState form;
  TabModel model;
  PointerState pointer;

  // Creation (tabs.cpp)
  void fload();
  // False when the strip is full; the model is then unchanged.
  bool addtab(const std::string& caption);
  void settab(int index, int pos, const std::string& caption);

  // Layout and scrolling (layout.cpp)
  void tabpos(int index, int pos);
  void toleft();
  void toright();
  // One step of the scroll arrows, or as many as `steps` at once; a step
  // that would scroll past the end does nothing.
  void moveleft(int steps = 1);
  void moveright(int steps = 1);
  // Shows or hides the scroll arrows after the strip was placed.
  void updateScrollArrows();
  // The list button stands beside the right arrow, shown with the arrows.
  void placeListButton();

  // Rename and removal (rename_remove.cpp)
  void tabrename(int index, const std::string& caption);
  void mclose(int index);

  // Selection (pointer/selection.cpp)
  void mdown(int index);

  // Unsaved changes (tabs.cpp): the tab's close image gives its place to a
  // dot while the pointer is not on it.
  void setUnsaved(int e, bool unsaved);

  // Hover (pointer/hover.cpp)
  void mmove(int index);
  void cmove();
  void cmmove(int index);
  void MouseM(int index);
  void testmouse();

  // Reorder (pointer/drag.cpp)
  void movetab(int source, int des);
  void formdrag(int source, float x, float y);

  // Element access; throws std::out_of_range for an element not loaded.
  Element& image1(int e) { return form.image1.at(e); }
  Element& image2(int e) { return form.image2.at(e); }
  Element& image3(int e) { return form.image3.at(e); }
  Element& label2(int e) { return form.label2.at(e); }
  Element& ileft() { return form.ileft; }
  Element& iright() { return form.iright; }
  Element& ilist() { return form.ilist; }

  // Whether element e is a tab on the strip now (its caption is shown).
  bool inUse(int e) const {
    return e >= 1 && e < form.loadedCount() && form.label2[e].visible;
  }

  void setFormWidth(float width);
  // Puts the form back to its state before load: no tabs, no elements loaded.
  void reset();
  // Measures every caption again (the DPI changed) and lays the tabs out
  // after them.
  void remeasure();

  FormToolkit& toolkit() { return tk_; }

 private:
  // The picture of a close image the pointer is not on.
  int closeAtRest(int e) { return image2(e).unsaved ? picture::kUnsaved : picture::kClose; }
  // Where tabs scrolled to the right end stop: before the right arrow, and
  // before the list button beside it while the arrows are shown.
  float rightLimit() { return iright().visible ? iright().left - ilist().width : iright().left; }
  void scrollIntoView(int index);
  void shiftTab(int e, float dx);
  void moveSelectionFrom(int e);
  void closeGap(int e);
  void undoNeedlessScroll();

  FormToolkit& tk_;
  WindowSystem& ws_;
};

}  // namespace brelm
