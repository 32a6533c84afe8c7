// The probe as a server: one command a line on standard input, its words separated by tabs
// (so captions keep their spaces; UTF-8). Each answer is the lines the one-shot command would
// print, its error text included, then "#end CODE" with its exit code. Ends with its input.
#pragma once

namespace probe {

int serve();

}  // namespace probe
