#include "login/site_selector.h"

#include "login/remover_numeros.h"

namespace orvanta {

bool showsSiteSelector(std::string_view accountText) {
  return RemoverNumeros(accountText) == kMultiSiteAccount;
}

}  // namespace orvanta
