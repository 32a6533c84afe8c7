// Files in the working directory, created for a download to write into.
#pragma once

#include "service/criador_arquivo.h"

namespace orvanta {

class ArquivoLocal : public CriadorArquivo {
 public:
  // Opened without sharing: nothing may start or read the file while it is being written.
  std::unique_ptr<ByteStream> criar(std::string_view nome) override;
};

}  // namespace orvanta
