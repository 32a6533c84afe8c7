// What the two download-and-launch windows share: three seconds after being shown they fetch
// one program into the working directory with a progress bar, and once the fetch has finished
// and the bar has stood still for a whole check interval they start the program.
#pragma once

#include <functional>
#include <string>

#include "base/launcher.h"
#include "base/message_pump.h"
#include "base/timer.h"
#include "service/criador_arquivo.h"
#include "service/transferencia_http.h"
#include "update/barra_progresso.h"

namespace orvanta {

struct DestinoDownload {
  std::string url;
  std::string nomeArquivo;  // also the name the program is started by
};

class JanelaDownload {
 public:
  static constexpr int kInicioMs = 3000;
  static constexpr int kVerificacaoMs = 10000;

  // The window's own parts and the platform services it uses; all outlive the JanelaDownload.
  struct Ambiente {
    Timer& timer1;
    Timer& timer2;
    TransferenciaHttp& http;
    MessagePump& mensagens;
    CriadorArquivo& arquivos;
    ProgramLauncher& lancador;
  };

  // ultimaPosicao belongs to the window class and outlives every instance: a later run of the
  // class compares its first check with the last position seen by the previous run.
  JanelaDownload(Ambiente ambiente, int& ultimaPosicao,
                 std::function<DestinoDownload()> escolherDestino,
                 std::function<void()> aposLancamento);
  JanelaDownload(const JanelaDownload&) = delete;
  JanelaDownload& operator=(const JanelaDownload&) = delete;

  void FormShow();

  BarraProgresso& ProgressBar1() { return barra_; }
  const BarraProgresso& ProgressBar1() const { return barra_; }

 private:
  enum class Etapa { aguardando, baixando, concluido, falhou, lancado };

  void Timer1Timer();
  void Timer2Timer();
  void baixar();

  Ambiente ambiente_;
  int& ultimaPosicao_;
  std::function<DestinoDownload()> escolherDestino_;
  std::function<void()> aposLancamento_;
  BarraProgresso barra_;
  Etapa etapa_ = Etapa::aguardando;
  std::string nomeArquivo_;
};

}  // namespace orvanta
