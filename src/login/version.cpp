#include "login/version.h"

#include <string>

namespace orvanta {

bool publishedVersionDiffers(std::string_view published) {
  std::string cleaned;
  cleaned.reserve(published.size());
  for (char c : published) {
    if (c != '\n' && c != '\r') {
      cleaned += c;
    }
  }
  return cleaned != VersaoCliente;
}

}  // namespace orvanta
