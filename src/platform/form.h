#pragma once
// The tab bar form: plain data owned by the core, shown by a toolkit.
// Everything is measured in twips, single precision, as the form toolkit does.
#include <memory>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace brelm {

class DocWindow;

// Pictures of the image list, by 1-based index; 0 = no picture.
namespace picture {
constexpr int kNone = 0;
constexpr int kTab = 1;
constexpr int kTabHover = 2;
constexpr int kClose = 3;
constexpr int kCloseHover = 4;
constexpr int kDocIcon = 5;
constexpr int kStrip6 = 6;
constexpr int kStrip7 = 7;
constexpr int kStrip8 = 8;
// The strip under a dark Office theme (15 on): the selected tab's caption,
// drawn straight on it, is light.
constexpr int kStripDark = 9;
// In place of the close image, while the pointer is not on it: the tab's
// document has unsaved changes.
constexpr int kUnsaved = 10;
// The button that lists every document when the tabs do not all fit.
constexpr int kList = 11;
// The form's own design-time background.
constexpr int kStripDesign = 0;
}  // namespace picture

struct Element {
  float left = 0, top = 0, width = 0, height = 0;
  bool visible = false;
  int picture = picture::kNone;
  std::string caption;  // labels only
  bool unsaved = false;  // close images: the tab's document has unsaved changes
  friend bool operator==(const Element&, const Element&) = default;
};

// Ilist: the button beside the right arrow that lists every document.
enum class ElementKind { Image1, Image2, Image3, Label2, Ileft, Iright, Form, Ilist };

struct Target {
  ElementKind kind = ElementKind::Form;
  int index = 0;  // control index for the per-tab arrays, 0 otherwise
  friend bool operator==(const Target&, const Target&) = default;
};

// The form's controls. Index 0 of each array is the hidden template.
struct FormState {
  float width = 8115, height = 360;
  int picture = picture::kStripDesign;
  std::vector<Element> image1{1}, image2{1}, image3{1}, label2{1};
  Element ileft{0, 0, 285, 285, false, 0, {}};
  Element iright{0, 0, 285, 285, false, 0, {}};
  Element ilist{0, 0, 285, 285, false, picture::kList, {}};
  bool shown = false;

  int loadedCount() const { return static_cast<int>(label2.size()); }
  friend bool operator==(const FormState&, const FormState&) = default;
};

enum class TimerId { Mouse, Left, Right };

namespace mouse {
constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
}  // namespace mouse

namespace msgbox {
constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kCancel = 2;
}  // namespace msgbox

// Implemented by the core; the toolkit raises these on the UI thread.
class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void onMouseDown(Target target, int button) = 0;
  virtual void onMouseUp(Target target, int button) = 0;
  virtual void onClick(Target target) = 0;
  virtual void onDblClick(Target target) = 0;
  virtual void onMouseMove(Target target) = 0;
  // A manual drag of Image1(source) ended over target at (x, y) form twips.
  virtual void onDragDrop(int source, Target target, float x, float y) = 0;
  virtual void onTimer(TimerId timer) = 0;
  // The form's window was resized (twips).
  virtual void onResize(float width, float height) = 0;

  // What a tab stands for, so that an action asked for now and carried out
  // later reaches the tab it was asked for, wherever that tab went since, or
  // nothing when it is gone: the document window of the tab shown by control
  // index `index` (nullptr for none), and the control index now showing the
  // tab of `window` (0 for none).
  virtual std::shared_ptr<DocWindow> tabWindow(int index) {
    (void)index;
    return nullptr;
  }
  virtual int tabIndexOf(const DocWindow& window) {
    (void)window;
    return 0;
  }
  // What the tooltip of the tab shown by control index `index` says (its
  // document's full path, and whether it has unsaved changes); asked for
  // only when the tooltip is about to show. Empty: no tooltip.
  virtual std::string tooltipText(int index) {
    (void)index;
    return {};
  }
};

class FormToolkit {
 public:
  virtual ~FormToolkit() = default;
  // Creates the form window on first use; the toolkit reads `state` to paint
  // and hit-test and raises events on `events`.
  virtual Hwnd create(const FormState* state, FormEvents* events) = 0;
  // Destroys the window and stops its timers; the toolkit forgets state and events.
  virtual void destroy() = 0;
  virtual Hwnd window() const = 0;
  virtual void show(bool visible) = 0;
  virtual void resize(float width, float height) = 0;
  // The dots per inch the form is shown at (its frame's): twips become
  // pixels, and captions are measured, at these from now on.
  virtual void setDpi(int dpi) = 0;
  // Makes the form's window able to become a child of `parent`: a window
  // made in another DPI awareness than the parent's cannot, and is made anew
  // in the parent's. False when that failed.
  virtual bool fitFor(Hwnd parent) {
    (void)parent;
    return true;
  }
  // Auto-size of a caption label in the caption font.
  virtual float textWidth(const std::string& caption) = 0;
  virtual float textHeight() = 0;
  virtual void setTimer(TimerId timer, bool enabled, int intervalMs) = 0;
  virtual bool timerEnabled(TimerId timer) const = 0;
  // `timer` also fires as soon as a window of the host's thread comes to the
  // front, instead of only at its interval: a frame the user switched to is
  // followed at once. Only while the timer is enabled.
  virtual void tickOnForeground(TimerId timer) { (void)timer; }
  // The form state changed; repaint when idle. The core asks only when the
  // state differs from what it asked to be painted last.
  virtual void invalidate() = 0;
  virtual void beginDrag(int index) = 0;
  // A child window is destroyed with its parent. When that happened to the
  // strip, the toolkit makes a new hidden window without a parent, with the
  // same state, and returns true (once). The timers are the toolkit's and
  // keep running meanwhile.
  virtual bool recreateIfLost() = 0;
  // Yes / No / Cancel; returns msgbox::kYes, kNo or kCancel.
  virtual int messageBox(const std::string& text) = 0;
  // A popup list of `items` at the list button, item `checked` marked
  // (-1: none), usable by keyboard as a popup menu is; the index chosen, or
  // -1 when the user chose nothing.
  virtual int chooseFromList(const std::vector<std::string>& items, int checked) = 0;
  // An information message with one OK button.
  virtual void showMessage(const std::string& text) = 0;
};

}  // namespace brelm
