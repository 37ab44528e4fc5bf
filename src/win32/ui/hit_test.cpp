#include "ui/hit_test.h"

#include <vector>

namespace brelm::win32 {

bool contains(const Element& e, float x, float y) {
  return e.visible && x >= e.left && x < e.left + e.width && y >= e.top && y < e.top + e.height;
}

namespace {

// The topmost element of one array at the point; index 0 is the template.
std::optional<int> topmostIn(const std::vector<Element>& elements, float x, float y) {
  // Later loaded elements lie above earlier ones.
  for (size_t i = elements.size(); i-- > 1;)
    if (contains(elements[i], x, y)) return static_cast<int>(i);
  return std::nullopt;
}

}  // namespace

Target hitTest(const FormState& form, float x, float y) {
  if (contains(form.iright, x, y)) return Target{ElementKind::Iright, 0};
  if (contains(form.ilist, x, y)) return Target{ElementKind::Ilist, 0};
  if (contains(form.ileft, x, y)) return Target{ElementKind::Ileft, 0};
  struct Layer {
    const std::vector<Element>& elements;
    ElementKind kind;
  };
  const Layer layers[] = {{form.image2, ElementKind::Image2},
                          {form.label2, ElementKind::Label2},
                          {form.image3, ElementKind::Image3},
                          {form.image1, ElementKind::Image1}};
  for (const Layer& layer : layers)
    if (const auto index = topmostIn(layer.elements, x, y)) return Target{layer.kind, *index};
  return Target{ElementKind::Form, 0};
}

}  // namespace brelm::win32
