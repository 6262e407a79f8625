// vgi: the immediate window. Places one Varigauge in a headless host and runs statements
// against it through late binding, from a script, standard input or a terminal prompt.
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <string>

#include "control/type_library.h"
#include "tools/vgi/host_error.h"
#include "tools/vgi/interpreter.h"

namespace {

const char kUsage[] =
    "usage: vgi [--size WxH] [--dpi N] [--design] [--strict] [SCRIPT|-]\n"
    "       vgi --typeinfo\n"
    "  --size WxH  drawing area in pixels (default: 900 x 315 twips)\n"
    "  --dpi N     screen resolution (default 96: 15 twips per pixel)\n"
    "  --design    run as in a form designer (ambient UserMode false)\n"
    "  --strict    stop at the first error with exit status 1\n"
    "  --form FILE --control NAME\n"
    "              start from the control NAME stored in the form FILE (.ui)\n"
    "  SCRIPT      file of statements, or - for standard input\n"
    "  --typeinfo  print the control's type library as IDL-like text and exit\n";

bool ParseSize(const char* text, int* w, int* h) {
  char x = 0;
  char extra = 0;
  return std::sscanf(text, "%d%c%d%c", w, &x, h, &extra) == 3 && (x == 'x' || x == 'X') &&
         *w >= 0 && *h >= 0 && *w <= 16384 && *h <= 16384 &&
         int64_t{*w} * *h <= vg::gdi::kMaxBitmapPixels;
}

}  // namespace

int main(int argc, char** argv) {
  vg::vgi::SessionOptions options;
  bool strict = false;
  const char* script = nullptr;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--size") == 0 && i + 1 < argc) {
      if (!ParseSize(argv[++i], &options.width_px, &options.height_px)) {
        std::cerr << "vgi: bad size '" << argv[i]
                  << "' (expected WxH in pixels, at most 16384 a side and "
                  << vg::gdi::kMaxBitmapPixels << " in all)\n";
        return 2;
      }
    } else if (std::strcmp(a, "--dpi") == 0 && i + 1 < argc) {
      char* end = nullptr;
      long dpi = std::strtol(argv[++i], &end, 10);
      if (*end != '\0' || dpi < 24 || dpi > 1440) {
        std::cerr << "vgi: bad dpi '" << argv[i] << "' (24 to 1440)\n";
        return 2;
      }
      options.dpi = static_cast<int>(dpi);
    } else if (std::strcmp(a, "--design") == 0) {
      options.design = true;
    } else if (std::strcmp(a, "--form") == 0 && i + 1 < argc) {
      options.form_path = argv[++i];
    } else if (std::strcmp(a, "--control") == 0 && i + 1 < argc) {
      options.control_name = argv[++i];
    } else if (std::strcmp(a, "--strict") == 0) {
      strict = true;
    } else if (std::strcmp(a, "--typeinfo") == 0) {
      std::cout << vg::DescribeTypeLibrary();
      return 0;
    } else if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      std::cout << kUsage;
      return 0;
    } else if ((a[0] != '-' || std::strcmp(a, "-") == 0) && !script) {
      script = a;
    } else {
      std::cerr << "vgi: unexpected argument '" << a << "'\n" << kUsage;
      return 2;
    }
  }

  if (options.form_path.empty() != options.control_name.empty()) {
    std::cerr << "vgi: --form and --control go together\n" << kUsage;
    return 2;
  }
  try {
    vg::vgi::Interpreter interpreter(options, std::cout);
    if (script && std::strcmp(script, "-") != 0)
      return interpreter.RunFile(script, strict, std::cerr);
    bool interactive = !script && isatty(STDIN_FILENO);
    return interpreter.Run(std::cin, strict, interactive);
  } catch (const vg::AutomationError& e) {
    std::cerr << "vgi: placing the control failed: Run-time error '" << e.number()
              << "': " << e.description() << "\n";
    return 1;
  } catch (const vg::vgi::HostError& e) {
    std::cerr << "vgi: " << e.what() << "\n";
    return 1;
  }
}
