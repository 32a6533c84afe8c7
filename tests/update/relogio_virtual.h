// Virtual time for window timers. Like WM_TIMER, a tick is only delivered while messages are
// processed, and several elapsed intervals give one tick.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/message_pump.h"
#include "base/timer.h"

namespace orvanta::teste {

class RelogioVirtual;

class TimerVirtual : public Timer {
 public:
  explicit TimerVirtual(RelogioVirtual& relogio);
  ~TimerVirtual() override;
  TimerVirtual(const TimerVirtual&) = delete;
  TimerVirtual& operator=(const TimerVirtual&) = delete;

  int intervalMs() const override { return intervalMs_; }
  void setIntervalMs(int intervalMs) override;
  bool enabled() const override { return enabled_; }
  void setEnabled(bool enabled) override;

  int64_t proximoMs() const { return proximoMs_; }
  bool vencido(int64_t agoraMs) const { return enabled_ && proximoMs_ <= agoraMs; }
  void disparar();

 private:
  RelogioVirtual& relogio_;
  int intervalMs_ = 0;
  bool enabled_ = false;
  int64_t proximoMs_ = 0;
};

class RelogioVirtual : public MessagePump {
 public:
  int64_t agoraMs() const { return agoraMs_; }

  // Time that passes while the thread is blocked: no tick is delivered.
  void bloquear(int64_t ms) { agoraMs_ += ms; }

  // Delivers one tick of every timer that is due now.
  void processMessages() override {
    ++bombeamentos_;
    const std::vector<TimerVirtual*> copia = timers_;
    for (TimerVirtual* t : copia) {
      if (registrado(t) && t->vencido(agoraMs_)) t->disparar();
    }
  }

  // The idle message loop: ticks are delivered at their due times until untilMs.
  void executarAte(int64_t untilMs) {
    while (true) {
      TimerVirtual* proximo = nullptr;
      for (TimerVirtual* t : timers_) {
        if (t->enabled() && t->proximoMs() <= untilMs &&
            (proximo == nullptr || t->proximoMs() < proximo->proximoMs())) {
          proximo = t;
        }
      }
      if (proximo == nullptr) break;
      agoraMs_ = std::max(agoraMs_, proximo->proximoMs());
      proximo->disparar();
    }
    agoraMs_ = std::max(agoraMs_, untilMs);
  }
  void executarPor(int64_t ms) { executarAte(agoraMs_ + ms); }

  int bombeamentos() const { return bombeamentos_; }

  void registrar(TimerVirtual* t) { timers_.push_back(t); }
  void remover(TimerVirtual* t) { std::erase(timers_, t); }

 private:
  bool registrado(TimerVirtual* t) const {
    return std::find(timers_.begin(), timers_.end(), t) != timers_.end();
  }

  int64_t agoraMs_ = 0;
  int bombeamentos_ = 0;
  std::vector<TimerVirtual*> timers_;
};

inline TimerVirtual::TimerVirtual(RelogioVirtual& relogio) : relogio_(relogio) {
  relogio_.registrar(this);
}

inline TimerVirtual::~TimerVirtual() {
  relogio_.remover(this);
}

inline void TimerVirtual::setIntervalMs(int intervalMs) {
  intervalMs_ = intervalMs;
  if (enabled_) proximoMs_ = relogio_.agoraMs() + intervalMs_;
}

inline void TimerVirtual::setEnabled(bool enabled) {
  if (enabled && !enabled_) proximoMs_ = relogio_.agoraMs() + intervalMs_;
  enabled_ = enabled;
}

inline void TimerVirtual::disparar() {
  proximoMs_ = relogio_.agoraMs() + intervalMs_;
  if (onTick) onTick();
}

}  // namespace orvanta::teste
