#pragma once
// Late binding for the test add-in: calls host members by name. Failures
// come back as an HRESULT, never as an exception.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace testaddin {

using Microsoft::WRL::ComPtr;

struct Result {
  HRESULT hr = E_FAIL;
  VARIANT value;
  Result() { VariantInit(&value); }
  ~Result() { VariantClear(&value); }
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
  bool ok() const { return SUCCEEDED(hr); }
  std::wstring text() const;
  long number() const;
  ComPtr<IDispatch> object() const;
};

// kind: DISPATCH_PROPERTYGET, DISPATCH_METHOD or DISPATCH_PROPERTYPUT.
// Arguments are given left to right.
void call(IDispatch* target, const wchar_t* name, WORD kind, std::vector<VARIANT> args, Result& out);
VARIANT arg(long value);
VARIANT arg(const wchar_t* text);  // the callee frees nothing: the call clears it
VARIANT argBool(bool value);

}  // namespace testaddin
