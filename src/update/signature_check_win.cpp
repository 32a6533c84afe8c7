#include "update/signature_check_win.h"

#include <windows.h>

#include <softpub.h>
#include <wincrypt.h>
#include <wintrust.h>

#include <string>

#include "ui/text_win.h"

namespace orvanta {

namespace {

std::wstring fullPath(const std::wstring& name) {
  const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (size == 0) return name;
  std::wstring path(size, L'\0');
  const DWORD written = GetFullPathNameW(name.c_str(), size, path.data(), nullptr);
  path.resize(written < size ? written : 0);
  return path.empty() ? name : path;
}

std::string subjectPart(PCCERT_CONTEXT certificate, const char* oid) {
  void* type = const_cast<char*>(oid);
  const DWORD size = CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, type, nullptr, 0);
  if (size <= 1) return {};
  std::wstring text(size, L'\0');
  CertGetNameStringW(certificate, CERT_NAME_ATTR_TYPE, 0, type, text.data(), size);
  text.resize(size - 1);
  return narrow(text);
}

// One verification with its state kept open until the signer has been read.
class Verification {
 public:
  explicit Verification(const std::wstring& path) {
    file_.cbStruct = sizeof file_;
    file_.pcwszFilePath = path.c_str();
    data_.cbStruct = sizeof data_;
    data_.dwUIChoice = WTD_UI_NONE;
    data_.fdwRevocationChecks = WTD_REVOKE_NONE;
    data_.dwUnionChoice = WTD_CHOICE_FILE;
    data_.pFile = &file_;
    data_.dwStateAction = WTD_STATEACTION_VERIFY;
    data_.dwUIContext = WTD_UICONTEXT_EXECUTE;
    status_ = WinVerifyTrust(noUser(), &action_, &data_);
  }
  Verification(const Verification&) = delete;
  Verification& operator=(const Verification&) = delete;
  ~Verification() {
    data_.dwStateAction = WTD_STATEACTION_CLOSE;
    WinVerifyTrust(noUser(), &action_, &data_);
  }

  LONG status() const { return status_; }

  PCCERT_CONTEXT leafSigner() const {
    CRYPT_PROVIDER_DATA* provider = WTHelperProvDataFromStateData(data_.hWVTStateData);
    if (!provider) return nullptr;
    CRYPT_PROVIDER_SGNR* signer = WTHelperGetProvSignerFromChain(provider, 0, FALSE, 0);
    if (!signer) return nullptr;
    CRYPT_PROVIDER_CERT* leaf = WTHelperGetProvCertFromChain(signer, 0);
    return leaf ? leaf->pCert : nullptr;
  }

 private:
  // Tells the providers there is nobody to ask.
  static HWND noUser() { return static_cast<HWND>(INVALID_HANDLE_VALUE); }

  GUID action_ = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  WINTRUST_FILE_INFO file_{};
  WINTRUST_DATA data_{};
  LONG status_ = 0;
};

}  // namespace

SignatureVerification WinSignatureCheck::verify(std::string_view fileName) {
  const std::wstring path = fullPath(widen(fileName));
  const Verification verification(path);
  SignatureVerification result{static_cast<uint32_t>(verification.status()), {}, {}};
  if (result.status != 0) return result;
  if (PCCERT_CONTEXT leaf = verification.leafSigner()) {
    result.organisation = subjectPart(leaf, szOID_ORGANIZATION_NAME);
    result.commonName = subjectPart(leaf, szOID_COMMON_NAME);
  }
  return result;
}

}  // namespace orvanta
