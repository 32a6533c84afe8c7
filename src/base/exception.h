// The program's failure base: every failure reported to the user is an Excecao.
#pragma once

#include <stdexcept>
#include <string>

namespace orvanta {

// Message text is UTF-8. The class name appears in the start-up failure box, so each
// kind of failure names itself the way the user will see it.
class Excecao : public std::runtime_error {
 public:
  explicit Excecao(const std::string& mensagem, std::string nomeClasse = "Exception")
      : std::runtime_error(mensagem), nomeClasse_(std::move(nomeClasse)) {}

  const std::string& nomeClasse() const { return nomeClasse_; }

 private:
  std::string nomeClasse_;
};

}  // namespace orvanta
