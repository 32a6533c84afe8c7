// Texts the login window shows.
#pragma once

#include <string_view>

namespace orvanta::login_messages {

inline constexpr std::string_view kNewVersion =
    "Uma nova versão está disponível. Clique em OK para atualizar";
inline constexpr std::string_view kUserNotFound = "Usuário não encontrado";
inline constexpr std::string_view kConnectionFailure =
    "Parâmetros incorretos ou sem acesso à internet - Considere usar a Rota Alternativa";
inline constexpr std::string_view kDirectPrintersWarning =
    "Ativando esse recurso será possível imprimir diretamente nas suas impressoras, entretanto o "
    "desempenho e velocidade serão afetados.\r"
    "Não recomendamos utilizar esse recurso.  Para isso deixe desmarcada essa opção e salve "
    "diretamente um PDF na pasta Impressões";
inline constexpr std::string_view kAlternativeRouteWarning =
    "Utilize essa opção apenas se a conexão normal estiver apresentando instabilidade";

}  // namespace orvanta::login_messages
