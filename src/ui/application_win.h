// The application object: the message loop, the main window, termination, modal runs and the
// default handler for exceptions that escape event handlers.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "base/message_pump.h"
#include "ui/message_box_win.h"

namespace orvanta {

class Window;

// The program file's name up to its first ".", every letter after the first in lower case.
std::wstring applicationTitle(std::wstring_view programPath);
// The running program's file name without its folder ("Orvanta.exe").
std::wstring programFileName();

class Application : public MessagePump {
 public:
  // Message boxes go to the platform.
  Application();
  // Message boxes go to the given seam, which must outlive the application.
  explicit Application(MessageBoxes& boxes);
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  const std::wstring& title() const { return title_; }
  void setTitle(std::wstring title) { title_ = std::move(title); }
  MessageBoxes& boxes() const { return boxes_; }

  // The first window passed here (or made with createForm) becomes the main window.
  void formCreated(Window& window);
  template <class T, class... Args>
  std::unique_ptr<T> createForm(Args&&... args) {
    auto form = std::make_unique<T>(*this, std::forward<Args>(args)...);
    formCreated(*form);
    return form;
  }

  Window* mainWindow() const { return mainWindow_; }
  // Closing the previous main window then only hides it; closing this one ends the program.
  void MakeMainWindow(Window& window) { mainWindow_ = &window; }

  // Shows the main window and handles messages until termination; returns the exit code 0.
  int run();
  // Ends the message loop (and any modal run) once the current message has been handled.
  void terminate();
  bool terminated() const { return terminated_; }
  void processMessages() override;
  // Disables the other windows, shows the window and handles messages until it has a modal
  // result or the program terminates; then hides it and returns the result. While it runs the
  // window is owned by `owner`, the window it was opened from, so it always stays above it.
  int showModal(Window& window, Window* owner = nullptr);

  // The default handler: the message in an error box captioned with the title, then go on.
  void handleException(const std::exception& e);
  void handleException(std::exception_ptr e);

 private:
  void dispatch(MSG& msg);
  void forgetWindow(Window& window);

  std::unique_ptr<SystemMessageBoxes> systemBoxes_;
  MessageBoxes& boxes_;
  std::wstring title_;
  Window* mainWindow_ = nullptr;
  bool terminated_ = false;

  friend class Window;
};

}  // namespace orvanta
