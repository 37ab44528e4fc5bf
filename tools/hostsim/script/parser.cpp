#include "script/script.h"

#include <sstream>

namespace hostsim {

std::string ScriptLine::text() const {
  std::string out;
  for (const std::string& w : words) {
    if (!out.empty()) out += ' ';
    out += w.find(' ') == std::string::npos && !w.empty() ? w : "\"" + w + "\"";
  }
  return out;
}

std::vector<std::string> splitWords(const std::string& text, int lineNumber) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
    } else if (c == '#') {
      break;
    } else if (c == '"') {
      size_t end = text.find('"', i + 1);
      if (end == std::string::npos) throw ScriptError("line " + std::to_string(lineNumber) + ": unclosed quote");
      words.push_back(text.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      size_t end = text.find_first_of(" \t\r", i);
      if (end == std::string::npos) end = text.size();
      words.push_back(text.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

namespace {
std::string substitute(std::string word, int pass) {
  const std::string key = "{i}";
  for (size_t at = word.find(key); at != std::string::npos; at = word.find(key, at))
    word.replace(at, key.size(), std::to_string(pass));
  return word;
}

// Expands `repeat N` blocks (which may nest) starting at `at`.
std::vector<ScriptLine> expand(const std::vector<ScriptLine>& lines, size_t& at, bool inBlock) {
  std::vector<ScriptLine> out;
  while (at < lines.size()) {
    const ScriptLine& line = lines[at++];
    if (line.words[0] == "end") {
      if (!inBlock) throw ScriptError("line " + std::to_string(line.number) + ": end without repeat");
      return out;
    }
    if (line.words[0] != "repeat") {
      out.push_back(line);
      continue;
    }
    if (line.words.size() != 2) throw ScriptError("line " + std::to_string(line.number) + ": repeat N");
    int times = std::stoi(line.words[1]);
    std::vector<ScriptLine> body = expand(lines, at, true);
    for (int pass = 1; pass <= times; ++pass)
      for (ScriptLine copy : body) {
        for (std::string& w : copy.words) w = substitute(w, pass);
        out.push_back(std::move(copy));
      }
  }
  if (inBlock) throw ScriptError("repeat without end");
  return out;
}
}  // namespace

std::vector<ScriptLine> parseScript(const std::string& text) {
  std::vector<ScriptLine> lines;
  std::istringstream in(text);
  std::string raw;
  for (int number = 1; std::getline(in, raw); ++number) {
    std::vector<std::string> words = splitWords(raw, number);
    if (!words.empty()) lines.push_back({number, std::move(words)});
  }
  size_t at = 0;
  try {
    return expand(lines, at, false);
  } catch (const std::invalid_argument&) {
    throw ScriptError("repeat needs a number");
  }
}

}  // namespace hostsim
