#include "login/seletor_site.h"

#include "login/remover_numeros.h"

namespace orvanta {

bool SeletorSiteVisivel(std::string_view textoConta) {
  return RemoverNumeros(textoConta) == ContaComSites;
}

}  // namespace orvanta
