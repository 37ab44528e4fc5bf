#pragma once
// Facts about the machine for the report, and the process's DPI awareness
// (so that window rectangles, accessibility locations and input all speak
// physical pixels).
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace brelmcheck {

void becomeDpiAware();
// Windows version, brelm-check's own bitness, each monitor with its DPI.
std::vector<std::pair<std::string, std::string>> machineFacts();
// "64-bit" or "32-bit"; empty when the process cannot be asked.
std::string processBitness(HANDLE process);

}  // namespace brelmcheck
