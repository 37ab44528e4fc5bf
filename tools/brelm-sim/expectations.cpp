#include "expectations.h"

#include <algorithm>
#include <stdexcept>

namespace brelm::sim {

namespace {

using nlohmann::json;

std::string unescape(std::string token) {
  std::string out;
  for (std::size_t i = 0; i < token.size(); ++i) {
    if (token[i] == '~' && i + 1 < token.size() && (token[i + 1] == '0' || token[i + 1] == '1')) {
      out += token[i + 1] == '0' ? '~' : '/';
      ++i;
    } else {
      out += token[i];
    }
  }
  return out;
}

std::string asText(const json& v) { return v.is_string() ? v.get<std::string>() : v.dump(); }

const json* step(const json& node, const std::string& token) {
  if (node.is_object()) {
    auto it = node.find(token);
    return it == node.end() ? nullptr : &*it;
  }
  if (!node.is_array()) return nullptr;
  auto eq = token.find('=');
  if (eq != std::string::npos) {
    std::string key = token.substr(0, eq), value = token.substr(eq + 1);
    for (const json& item : node) {
      if (item.is_object() && item.contains(key) && asText(item[key]) == value) return &item;
    }
    return nullptr;
  }
  if (token.empty() || !std::all_of(token.begin(), token.end(), ::isdigit)) return nullptr;
  std::size_t i = std::stoul(token);
  return i < node.size() ? &node[i] : nullptr;
}

}  // namespace

const json* resolvePointer(const json& doc, const std::string& pointer) {
  if (pointer.empty()) return &doc;
  if (pointer[0] != '/') return nullptr;
  const json* node = &doc;
  std::size_t pos = 1;
  while (node) {
    std::size_t next = pointer.find('/', pos);
    node = step(*node, unescape(pointer.substr(pos, next - pos)));
    if (next == std::string::npos) break;
    pos = next + 1;
  }
  return node;
}

bool isExpectation(const std::string& d) {
  return d == "expect" || d == "expect-has" || d == "expect-lacks" || d == "expect-none" ||
         d == "expect-some";
}

std::optional<std::string> checkExpectation(const std::string& directive,
                                            const std::string& arguments, const json& dump) {
  // A pointer with spaces in it is written in double quotes.
  bool quoted = !arguments.empty() && arguments[0] == '"';
  std::size_t end = quoted ? arguments.find('"', 1) : arguments.find(' ');
  std::size_t rest = end == std::string::npos ? end : arguments.find_first_not_of(' ', end + 1);
  if (rest == std::string::npos) throw std::invalid_argument("#" + directive + " POINTER VALUE");
  std::string pointer = quoted ? arguments.substr(1, end - 1) : arguments.substr(0, end);
  std::string text = arguments.substr(rest);
  json expected;
  bool byPrefix = directive == "expect-none" || directive == "expect-some";
  if (byPrefix) {
    expected = text;
  } else {
    try {
      expected = json::parse(text);
    } catch (const json::parse_error& e) {
      throw std::invalid_argument("not JSON: " + text);
    }
  }
  const json* actual = resolvePointer(dump, pointer);
  if (!actual) return pointer + " leads nowhere";
  if (directive == "expect") {
    if (*actual == expected) return std::nullopt;
    return pointer + " is " + actual->dump() + ", expected " + expected.dump();
  }
  if (!actual->is_array()) return pointer + " is not an array: " + actual->dump();
  bool has = std::find(actual->begin(), actual->end(), expected) != actual->end();
  if (directive == "expect-has") {
    if (has) return std::nullopt;
    return pointer + " lacks " + expected.dump() + ": " + actual->dump();
  }
  if (directive == "expect-lacks") {
    if (!has) return std::nullopt;
    return pointer + " holds " + expected.dump();
  }
  for (const json& item : *actual) {
    if (item.is_string() && item.get<std::string>().rfind(text, 0) == 0) {
      if (directive == "expect-some") return std::nullopt;
      return pointer + " holds " + item.dump();
    }
  }
  if (directive == "expect-some") return pointer + " has nothing starting with " + text;
  return std::nullopt;
}

}  // namespace brelm::sim
