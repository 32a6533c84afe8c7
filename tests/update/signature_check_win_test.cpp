// The platform's verification of the stand-in as the build signed it: by the test publisher, by
// another publisher, not at all, and changed by one byte after signing.
#include "update/signature_check_win.h"

#include <windows.h>

#include <wincrypt.h>

#include <gtest/gtest.h>

#include "test_window_win.h"

namespace orvanta::test {
namespace {

constexpr uint32_t kNoSignature = 0x800B0100;    // TRUST_E_NOSIGNATURE
constexpr uint32_t kBadDigest = 0x80096010;      // TRUST_E_BAD_DIGEST
constexpr uint32_t kUntrustedRoot = 0x800B0109;  // CERT_E_UNTRUSTEDROOT

// Wine does not require the chain to end at a trusted root; Windows does, so there the stand-ins
// verify only once the test root is among the user's trusted roots.
bool chainToTestRootTrusted() {
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return true;
  HCERTSTORE roots =
      CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0,
                    CERT_SYSTEM_STORE_CURRENT_USER | CERT_STORE_READONLY_FLAG, L"Root");
  if (!roots) return false;
  PCCERT_CONTEXT root = CertFindCertificateInStore(
      roots, X509_ASN_ENCODING, 0, CERT_FIND_SUBJECT_STR_W, L"Orvanta Test Root", nullptr);
  if (root) CertFreeCertificateContext(root);
  CertCloseStore(roots, 0);
  return root != nullptr;
}

std::string signedVariant(const char* name) {
  std::string path = std::string("Z:" ORVANTA_SIGNED_STANDINS "/") + name;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return readFile(path);
}

struct CheckCase {
  const char* variant;
  uint32_t status;
  const char* signer;  // organisation and common name
};

using WinSignatureCheckTest = TestWindow;

TEST_F(WinSignatureCheckTest, VerifiesTheFileAndNamesItsLeafSigner) {
  const bool chainTrusted = chainToTestRootTrusted();
  const CheckCase cases[] = {
      {"standin-signed.exe", chainTrusted ? 0 : kUntrustedRoot, ORVANTA_TEST_PUBLISHER},
      {"standin-other-publisher.exe", chainTrusted ? 0 : kUntrustedRoot, "Other Test Publisher"},
      {"standin-unsigned.exe", kNoSignature, ""},
      {"standin-tampered.exe", kBadDigest, ""},
  };
  WinSignatureCheck check;
  for (const CheckCase& c : cases) {
    const std::string program = signedVariant(c.variant);
    ASSERT_GT(program.size(), 1000u) << c.variant;
    {
      std::ofstream out("atualiza.exe", std::ios::binary | std::ios::trunc);
      out << program;
    }
    const SignatureVerification found = check.verify("atualiza.exe");
    EXPECT_EQ(found.status, c.status) << c.variant << std::hex << " status 0x" << found.status;
    const std::string signer = found.status == 0 ? c.signer : "";
    EXPECT_EQ(found.organisation, signer) << c.variant;
    EXPECT_EQ(found.commonName, signer) << c.variant;
  }
  EXPECT_NE(check.verify("missing.exe").status, 0u);
}

}  // namespace
}  // namespace orvanta::test
