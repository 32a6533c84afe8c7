// Texts the login window shows.
#pragma once

#include <string_view>

namespace orvanta::mensagens_login {

inline constexpr std::string_view NovaVersao =
    "Uma nova versão está disponível. Clique em OK para atualizar";
inline constexpr std::string_view UsuarioNaoEncontrado = "Usuário não encontrado";
inline constexpr std::string_view FalhaConexao =
    "Parâmetros incorretos ou sem acesso à internet - Considere usar a Rota Alternativa";
inline constexpr std::string_view ImpressorasDiretas =
    "Ativando esse recurso será possível imprimir diretamente nas suas impressoras, entretanto o "
    "desempenho e velocidade serão afetados.\r"
    "Não recomendamos utilizar esse recurso.  Para isso deixe desmarcada essa opção e salve "
    "diretamente um PDF na pasta Impressões";
inline constexpr std::string_view RotaAlternativa =
    "Utilize essa opção apenas se a conexão normal estiver apresentando instabilidade";

}  // namespace orvanta::mensagens_login
