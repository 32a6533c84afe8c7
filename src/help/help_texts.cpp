#include "help/help_texts.h"

#include <initializer_list>
#include <string_view>

namespace orvanta {

namespace {

std::string joinLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  bool first = true;
  for (std::string_view line : lines) {
    if (!first) text += "\r\n";
    text += line;
    first = false;
  }
  return text;
}

}  // namespace

std::string transferHelpText() {
  return joinLines({
      "Transferência de arquivos",
      "",
      "Para transferir arquivos do seu computador para o Orvanta e vice-versa utilize a opção "
      "Copiar / Colar, ",
      "como já de costume.  Pode-se utilizar o botão direito do Mouse ou mesmo as teclas de "
      "atalho do teclado ",
      "CTRL+C / CTRL+V.",
      "",
      "Exemplo:",
      "- No Orvanta copie o arquivo;",
      "- Minimize o aplicativo do Orvanta;",
      "- Escolha uma pasta em seu computador;",
      "- Cole o arquivo.",
      "",
      "O caminho inverso também funciona (do seu computador para o Orvanta).",
      "",
      "Este recurso pode ser utilizado para um ou mais arquivos ao mesmo tempo.",
      "",
      "Observe que trata-se da transferência de arquivos, então pode levar algum tempo até a "
      "conclusão, ",
      "variando com o tamanho dos arquivos.",
  });
}

std::string printingHelpText() {
  return joinLines({
      "Impressão de documentos",
      "",
      "A impressão através do aplicativo ocorre de maneira direta no seu computador, sem "
      "necessitar de nenhuma ",
      "transferência de arquivo.",
      "",
      "Entretanto é necessário que esteja instalado o programa PDF Creator na sua máquina.",
      "",
      "Para saber se o mesmo está instalado, clique na opção correspondente localizada no "
      "rodapé desta janela.",
      "",
      "Quando estiver tudo correto, ao selecionar a impressora na sua área do Orvanta, você "
      "verá uma impressora ",
      "chamada \"PDF Creator em Sessão\".  Esta é a sua impressora.",
      "",
      "Imprima normalmente.  Após alguns segundos, aparecerá uma nova janela com a opção "
      "\"Salvar\".  Clique e escolha o ",
      "diretório aonde deseja salvar o arquivo e posteriormente imprimi-lo ou enviá-lo por "
      "e-mail.",
  });
}

}  // namespace orvanta
