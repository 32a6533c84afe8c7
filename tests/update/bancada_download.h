// A download window's surroundings in virtual time: timers, transfer, files and launches.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "arquivos_memoria.h"
#include "base/launcher.h"
#include "relogio_virtual.h"
#include "transferencia_roteirizada.h"
#include "update/janela_download.h"

namespace orvanta::teste {

struct Lancamento {
  std::string nome;
  int64_t ms = 0;
  bool arquivoAberto = false;
  bool transferenciaTerminada = false;
};

class LancadorGravador : public ProgramLauncher {
 public:
  void launch(std::string_view commandLine) override { aoLancar(commandLine); }
  std::function<void(std::string_view)> aoLancar;
};

struct Bancada {
  Bancada() {
    lancador.aoLancar = [this](std::string_view nome) {
      const auto arquivo = criador.arquivos.find(std::string(nome));
      lancamentos.push_back({std::string(nome), relogio.agoraMs(),
                             arquivo != criador.arquivos.end() && arquivo->second.aberto,
                             http.fimMs.has_value()});
    };
  }

  JanelaDownload::Ambiente ambiente() { return {timer1, timer2, http, relogio, criador, lancador}; }

  RelogioVirtual relogio;
  TimerVirtual timer1{relogio};
  TimerVirtual timer2{relogio};
  TimerVirtual timer3{relogio};
  CriadorMemoria criador;
  TransferenciaRoteirizada http{relogio};
  LancadorGravador lancador;
  std::vector<Lancamento> lancamentos;
};

}  // namespace orvanta::teste
