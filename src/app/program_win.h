// Start-up and end of the program.
#pragma once

#include <exception>

#include "ui/message_box_win.h"

namespace orvanta {

// Creates the window set and runs the message loop; returns the exit code: 0 after a normal
// end, 1 when the window set could not be created.
int runProgram();

// The task-modal "Application Error" box for a failure while creating the window set.
void showStartupError(MessageBoxes& boxes, std::exception_ptr error, const void* address);

}  // namespace orvanta
