#pragma once
// Checks written into a scenario after a `dump`, against that dump:
//   #expect POINTER JSON          the value at POINTER equals JSON
//   #expect-has POINTER JSON      the array at POINTER holds JSON
//   #expect-lacks POINTER JSON    the array at POINTER does not hold JSON
//   #expect-none POINTER PREFIX   no string in the array at POINTER starts with PREFIX
//   #expect-some POINTER PREFIX   some string in the array at POINTER starts with PREFIX
// POINTER is a JSON pointer whose array steps may also be `key=value`,
// choosing the first element whose member `key` is value (as text), as in
// /windows/class=XLDESK/rect or /elements/index=2/Label2/caption. A pointer
// holding spaces is written in double quotes.
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace brelm::sim {

// True when `directive` (such as "expect-has") is one of the above.
bool isExpectation(const std::string& directive);

// Throws std::invalid_argument when the check is malformed; returns an
// explanation when it fails and nullopt when it holds.
std::optional<std::string> checkExpectation(const std::string& directive,
                                            const std::string& arguments,
                                            const nlohmann::json& dump);

// Resolves POINTER in the document; nullptr when it leads nowhere.
const nlohmann::json* resolvePointer(const nlohmann::json& doc, const std::string& pointer);

}  // namespace brelm::sim
