#include "com/identity.h"

#include <objbase.h>

namespace brelm::win32 {

namespace {
// {92892CAD-BEBB-4672-AB77-EB5B5CE965E3}
constexpr CLSID kSheetClsid = {0x92892cad, 0xbebb, 0x4672,
                               {0xab, 0x77, 0xeb, 0x5b, 0x5c, 0xe9, 0x65, 0xe3}};
// {1D5F8DE7-8C02-47BB-8CA2-D7A7F9BFB735}
constexpr CLSID kSlideClsid = {0x1d5f8de7, 0x8c02, 0x47bb,
                               {0x8c, 0xa2, 0xd7, 0xa7, 0xf9, 0xbf, 0xb7, 0x35}};
}  // namespace

const AddinIdentity& sheetIdentity() {
  static const AddinIdentity identity{
      kSheetClsid,
      L"quorvanesheet.Connect",
      L"BrelmSheet Connect",
      {L"Software\\Microsoft\\Office\\Excel\\Addins\\quorvanesheet.Connect", L"BrelmSheet",
       L"BrelmSheet", 3},
      {L"Software\\Microsoft\\Office\\Excel\\Addins\\quorvanesheet.Connect", L"Brelmsheet",
       L"Brelmsheet", 3},
  };
  return identity;
}

const AddinIdentity& slideIdentity() {
  static const AddinIdentity identity{
      kSlideClsid,
      L"quorvaneslide.Connect",
      L"BrelmSlide Connect",
      {L"Software\\Microsoft\\Office\\PowerPoint\\Addins\\quorvaneslide.Connect", L"Brelmslide",
       L"Brelm Slide", 3},
      {L"SOFTWARE\\Microsoft\\Office\\PowerPoint\\Addins\\quorvaneslide.Connect", L"Brelmslide",
       L"Brelmslide", 3},
  };
  return identity;
}

std::wstring guidString(const GUID& guid) {
  wchar_t buf[40] = {};
  StringFromGUID2(guid, buf, 40);
  return buf;
}

}  // namespace brelm::win32
