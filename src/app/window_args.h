#pragma once
// The command line of the window program:
//   kestrin [LANGUAGE] [--config-dir DIR] [--port DEVICE] [--simulate]
//           [--screenshot FILE] [--print-to FILE.pdf] [--size WxH]
// LANGUAGE is "ENGLISH", "DEUTSCH", "FRENCH" or "CESKY", compared exactly;
// any other word leaves the language from the settings.

#include <string>
#include <vector>

namespace kestrin {

struct WindowArgs {
    std::string languageWord;   // the first argument that is not an option; may be empty
    std::string configDir;      // empty: the user's configuration folder
    std::string port;           // explicit serial device, overrides the port menu
    bool simulate = false;      // start kestrin-sim and connect to it
    std::string screenshot;     // render the window into this PNG and quit
    std::string printTo;        // print the window into this PDF (no dialog) and quit
    int width = 0;              // window size for the screenshot; 0 = design size
    int height = 0;
    bool help = false;          // --help: print the usage and stop
    std::string error;          // empty when the line was understood
};

WindowArgs parseWindowArgs(const std::vector<std::string>& args);

}  // namespace kestrin
