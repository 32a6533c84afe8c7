#include "update/signature_check_win.h"

#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <string>

#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

// The trust and certificate libraries, loaded from the system folder when a download is first
// checked rather than with the program: most runs never check one.
class TrustLibrary {
 public:
  TrustLibrary() : wintrust_(load(L"wintrust.dll")), crypt32_(load(L"crypt32.dll")) {
    find(wintrust_, "WinVerifyTrust", verifyTrust);
    find(wintrust_, "WTHelperProvDataFromStateData", providerData);
    find(wintrust_, "WTHelperGetProvSignerFromChain", signerFromChain);
    find(wintrust_, "WTHelperGetProvCertFromChain", certFromChain);
    find(crypt32_, "CertGetNameStringW", certName);
  }

  decltype(&WinVerifyTrust) verifyTrust = nullptr;
  decltype(&WTHelperProvDataFromStateData) providerData = nullptr;
  decltype(&WTHelperGetProvSignerFromChain) signerFromChain = nullptr;
  decltype(&WTHelperGetProvCertFromChain) certFromChain = nullptr;
  decltype(&CertGetNameStringW) certName = nullptr;

 private:
  static UniqueHmodule load(const wchar_t* name) {
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
      throwWithSystemText("Cannot find the system folder", GetLastError());
    }
    const std::wstring path = std::wstring(folder, length) + L"\\" + name;
    UniqueHmodule module(LoadLibraryW(path.c_str()));
    if (!module) throwWithSystemText("Cannot load " + narrow(name), GetLastError());
    return module;
  }
  template <class Function>
  static void find(const UniqueHmodule& module, const char* name, Function& function) {
    function =
        reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module.get(), name)));
    if (!function) throwWithSystemText(std::string("Cannot find ") + name, GetLastError());
  }

  UniqueHmodule wintrust_;
  UniqueHmodule crypt32_;
};

namespace {

std::wstring fullPath(const std::wstring& name) {
  const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return name;
  std::wstring path(size, L'\0');
  const DWORD written = GetFullPathNameW(name.c_str(), size, path.data(), nullptr);
  path.resize(written < size ? written : 0);
  return path.empty() ? name : path;
}

std::string subjectPart(const TrustLibrary& trust, PCCERT_CONTEXT certificate, const char* oid) {
  const auto certName = trust.certName;
  void* type = const_cast<char*>(oid);
  const DWORD size = certName(certificate, CERT_NAME_ATTR_TYPE, 0, type, nullptr, 0);
  if (size <= 1) return {};
  std::wstring text(size, L'\0');
  certName(certificate, CERT_NAME_ATTR_TYPE, 0, type, text.data(), size);
  text.resize(size - 1);
  return narrow(text);
}

// One verification with its state kept open until the signer has been read.
class Verification {
 public:
  Verification(const TrustLibrary& trust, const std::wstring& path) : trust_(trust) {
    file_.cbStruct = sizeof file_;
    file_.pcwszFilePath = path.c_str();
    data_.cbStruct = sizeof data_;
    data_.dwUIChoice = WTD_UI_NONE;
    data_.fdwRevocationChecks = WTD_REVOKE_NONE;
    data_.dwUnionChoice = WTD_CHOICE_FILE;
    data_.pFile = &file_;
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    data_.dwUIContext = WTD_UICONTEXT_EXECUTE;
    status_ = trust_.verifyTrust(noUser(), &action_, &data_);
  }
  Verification(const Verification&) = delete;
  Verification& operator=(const Verification&) = delete;
  ~Verification() {
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    trust_.verifyTrust(noUser(), &action_, &data_);
  }

  LONG status() const { return status_; }

  PCCERT_CONTEXT leafSigner() const {
    CRYPT_PROVIDER_DATA* provider = trust_.providerData(data_.hWVTStateData);
    if (!provider) return nullptr;
    CRYPT_PROVIDER_SGNR* signer = trust_.signerFromChain(provider, 0, FALSE, 0);
    if (!signer) return nullptr;
    CRYPT_PROVIDER_CERT* leaf = trust_.certFromChain(signer, 0);
    return leaf ? leaf->pCert : nullptr;
  }

 private:
  // Tells the providers there is nobody to ask.
  static HWND noUser() { return static_cast<HWND>(INVALID_HANDLE_VALUE); }

  const TrustLibrary& trust_;
  GUID action_ = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  WINTRUST_FILE_INFO file_{};
  WINTRUST_DATA data_{};
  LONG status_ = 0;
};

}  // namespace

WinSignatureCheck::WinSignatureCheck() = default;
WinSignatureCheck::~WinSignatureCheck() = default;

SignatureVerification WinSignatureCheck::verify(std::string_view fileName) {
  if (!trust_) trust_ = std::make_unique<TrustLibrary>();
  const std::wstring path = fullPath(widen(fileName));
  const Verification verification(*trust_, path);
  SignatureVerification result{static_cast<uint32_t>(verification.status()), {}, {}};
  if (result.status != 0) return result;
  if (PCCERT_CONTEXT leaf = verification.leafSigner()) {
    result.organisation = subjectPart(*trust_, leaf, szOID_ORGANIZATION_NAME);
    result.commonName = subjectPart(*trust_, leaf, szOID_COMMON_NAME);
  }
  return result;
}

}  // namespace orvanta
