#pragma once
#include <windows.h>

#include <atomic>

namespace testaddin {

constexpr CLSID kClsid = {0x6E2B7C1A, 0x3F4D, 0x4B8E, {0x9A, 0x51, 0x2C, 0x7D, 0x8E, 0x9F, 0x0A, 0x13}};

extern std::atomic<long> g_objects;  // live COM objects of this library
extern HMODULE g_module;

HRESULT createConnect(REFIID iid, void** out);

}  // namespace testaddin
