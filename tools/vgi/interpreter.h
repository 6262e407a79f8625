#pragma once
// The immediate window: one control in a headless host, driven by statements through late
// binding. Each statement's printed values and errors go to the output stream, one line each.
#include <istream>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "control/varigauge.h"
#include "platform/host/headless_host.h"
#include "tools/vgi/lexer.h"
#include "tools/vgi/live_commands.h"

namespace vg::vgi {

// Statements nest at most this deep (parentheses, unary minus signs, calls in arguments):
// deeper ones are a syntax error rather than the end of the stack.
inline constexpr int kMaxExpressionDepth = 256;

struct SessionOptions {
  int width_px = -1;  // -1: the framework's default outer size
  int height_px = -1;
  int dpi = 96;
  bool design = false;  // ambient UserMode false
  // Start from the control `control_name` stored in the form file `form_path` instead of a
  // new one (both or neither).
  std::string form_path;
  std::string control_name;
};

class Interpreter {
 public:
  // Places a new control (InitProperties), sizes and paints it once.
  Interpreter(const SessionOptions& options, std::ostream& out);

  // Runs one line. Returns false when it reported an error.
  bool RunLine(std::string_view line);

  // Runs lines until the end of `in`; with `strict`, stops at the first error. With
  // `prompt`, writes "> " before each line (an interactive terminal) and ends the last
  // prompt's line at the end of input. With `diagnostics`, each error is also reported
  // there as "NAME:LINE: message" under the script's `name`. Returns the exit status: 0,
  // or 1 when strict and an error occurred.
  int Run(std::istream& in, bool strict, bool prompt, std::ostream* diagnostics = nullptr,
          std::string_view name = {});

  // Runs the script file at `path`, reporting its errors on `diagnostics` too. A file that
  // cannot be opened or read (a directory, say) is reported there and gives status 2.
  int RunFile(const std::string& path, bool strict, std::ostream& diagnostics);

  HeadlessHost& host() { return host_; }
  Varigauge& control() { return *control_; }

 private:
  struct Segment {
    std::string name;
    bool called = false;  // written with parentheses
    std::vector<Variant> args;
    size_t column = 0;
  };
  using Chain = std::vector<Segment>;

  // Reports an error on the output stream and remembers it for the diagnostics.
  void Report(std::string message);
  void Statement();
  // One row of the immediate window's commands (`:name word...`). `words` is the number of
  // words after the name the command takes, -1 when it checks them itself; `run` gets the
  // words (the name first) and the line after the ':'.
  struct HostCommandRow {
    std::string_view name;
    int words;
    std::string_view usage;
    void (*run)(Interpreter& self, const std::vector<std::string>& words, std::string_view line);
  };
  // Every command, each once.
  static std::span<const HostCommandRow> HostCommands();
  void HostCommand(std::string_view line);
  void MouseCommand(const std::vector<std::string>& words);
  // :store FILE NAME and :load FILE NAME (form_commands.cpp); `rest` is "FILE NAME".
  void FormCommand(bool store, std::string_view rest);
  void StoreForm(const std::string& path, const std::string& name);
  void LoadForm(const std::string& path, const std::string& name);
  Variant Expression();
  Variant Primary();
  Chain ParseChain();
  std::vector<Variant> ArgumentList(Tok closer);
  Variant EvaluateChain(const Chain& chain);
  // Resolves all segments but the last to the object the last one applies to.
  ObjectRef Target(const Chain& chain);
  Variant Call(DispatchObject& object, const Segment& segment, uint16_t kind,
               std::vector<Variant> args);
  bool Builtin(const Segment& segment, Variant* result);

  const Token& Peek() const { return tokens_[pos_]; }
  const Token& Next() { return tokens_[pos_++]; }
  bool Accept(Tok kind);
  void Expect(Tok kind, const char* what);
  bool PeekKeyword(std::string_view word) const;

  void PrintValue(const Variant& v);
  std::string Format(const Variant& v) const;

  std::ostream& out_;
  HeadlessHost host_;
  std::shared_ptr<Varigauge> control_;
  LiveCommands live_;  // :tick, :advance, :now, :disk
  std::vector<Token> tokens_;
  size_t pos_ = 0;
  int depth_ = 0;  // expressions being parsed, one inside the other
  std::string last_error_;
};

}  // namespace vg::vgi
