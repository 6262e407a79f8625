#include "tools/vgi/interpreter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>

#include "control/type_library.h"
#include "platform/automation/conversions.h"
#include "platform/host/pixel_hash.h"
#include "platform/imaging/load_picture.h"
#include "platform/imaging/png_io.h"
#include "tools/vgi/host_error.h"
#include "tools/vgi/ramp_command.h"

namespace vg::vgi {
namespace {

HeadlessHostOptions HostOptions(const SessionOptions& o) {
  HeadlessHostOptions h;
  h.width_px = o.width_px;
  h.height_px = o.height_px;
  h.dpi = o.dpi;
  h.user_mode = !o.design;
  return h;
}

Variant Negate(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty:
      return Variant::Integer(0);
    case VarType::Integer:
    case VarType::Boolean:
      if (v.long_value() == -32768) return Variant::Long(32768);
      return Variant::Integer(static_cast<int16_t>(-v.long_value()));
    case VarType::Long:
      if (v.long_value() == std::numeric_limits<int32_t>::min())
        return Variant::Double(-static_cast<double>(v.long_value()));
      return Variant::Long(-v.long_value());
    case VarType::Single:
      return Variant::Single(-v.single());
    case VarType::Double:
      return Variant::Double(-v.double_value());
    case VarType::String:
      return Variant::Double(-ToDouble(v));
    default:
      Raise(err::kTypeMismatch);
  }
}

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::istringstream in{std::string(line)};
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

int ParseInt(const std::string& text, const char* what) {
  try {
    size_t used = 0;
    long v = std::stol(text, &used, 10);
    if (used != text.size() || v < -1000000 || v > 1000000) throw std::invalid_argument(what);
    return static_cast<int>(v);
  } catch (const std::logic_error&) {
    throw HostError(std::string("bad ") + what + ": " + text);
  }
}

}  // namespace

Interpreter::Interpreter(const SessionOptions& options, std::ostream& out)
    : out_(out),
      host_(HostOptions(options)),
      control_(options.form_path.empty() ? Varigauge::PlaceIn(host_) : nullptr) {
  if (!options.form_path.empty()) LoadForm(options.form_path, options.control_name);
  // What placing the control said is not part of the script's output.
  host_.TakeNotifications();
  host_.TakeEvents();
}

bool Interpreter::RunLine(std::string_view line) {
  try {
    size_t first = line.find_first_not_of(" \t\r");
    if (first != std::string_view::npos && line[first] == ':') {
      HostCommand(line.substr(first + 1));
      // A paint, resize or click the control failed: reported by the window, shown here.
      std::vector<BoundaryFault> faults = host_.TakeFaults();
      if (faults.empty()) return true;
      Report("Run-time error '" + std::to_string(faults.front().number) +
             "': " + faults.front().description);
      return false;
    }
    tokens_ = Lex(line);
    pos_ = 0;
    depth_ = 0;
    if (Peek().kind == Tok::End) return true;
    Statement();
    return true;
  } catch (const AutomationError& e) {
    Report("Run-time error '" + std::to_string(e.number()) + "': " + e.description());
  } catch (const SyntaxError& e) {
    Report(std::string("Syntax error: ") + e.what());
  } catch (const HostError& e) {
    Report(std::string("Host error: ") + e.what());
  } catch (const std::bad_alloc&) {
    Report("Run-time error '7': " + std::string(ErrorDescription(err::kOutOfMemory)));
  }
  return false;
}

void Interpreter::Report(std::string message) {
  out_ << message << "\n";
  last_error_ = std::move(message);
}

int Interpreter::Run(std::istream& in, bool strict, bool prompt, std::ostream* diagnostics,
                     std::string_view name) {
  std::string line;
  bool failed = false;
  for (size_t number = 1;; ++number) {
    if (prompt) out_ << "> " << std::flush;
    if (!std::getline(in, line)) {
      if (prompt) out_ << "\n";  // the shell's prompt starts on a line of its own
      break;
    }
    if (!RunLine(line)) {
      failed = true;
      out_ << std::flush;  // the output line comes before its diagnostic
      if (diagnostics) *diagnostics << name << ":" << number << ": " << last_error_ << "\n";
      if (strict) break;
    }
    out_ << std::flush;
  }
  return strict && failed ? 1 : 0;
}

int Interpreter::RunFile(const std::string& path, bool strict, std::ostream& diagnostics) {
  std::ifstream in(path);
  // Opening succeeds for a directory; the first read is what fails.
  if (in) in.peek();
  if (!in || in.bad()) {
    diagnostics << "vgi: cannot read " << path << ": " << std::strerror(errno) << "\n";
    return 2;
  }
  int status = Run(in, strict, false, &diagnostics, path);
  if (in.bad()) {
    diagnostics << "vgi: reading " << path << " failed\n";
    return 2;
  }
  return status;
}

bool Interpreter::Accept(Tok kind) {
  if (Peek().kind != kind) return false;
  ++pos_;
  return true;
}

void Interpreter::Expect(Tok kind, const char* what) {
  if (!Accept(kind)) {
    const Token& t = Peek();
    throw SyntaxError(std::string("expected ") + what + " at column " +
                      std::to_string(t.column + 1) +
                      (t.kind == Tok::End ? " (end of line)" : " ('" + t.text + "')"));
  }
}

bool Interpreter::PeekKeyword(std::string_view word) const {
  return Peek().kind == Tok::Ident && NameEquals(Peek().text, word);
}

void Interpreter::Statement() {
  bool print = Accept(Tok::Question);
  if (!print && PeekKeyword("Print")) print = (Next(), true);
  if (print) {
    Variant v = Peek().kind == Tok::End ? Variant() : Expression();
    Expect(Tok::End, "end of statement");
    PrintValue(v);
    return;
  }
  if (PeekKeyword("Set")) {
    Next();
    Chain target = ParseChain();
    Expect(Tok::Equals, "'='");
    Variant value = Expression();
    Expect(Tok::End, "end of statement");
    ObjectRef object = Target(target);
    std::vector<Variant> args = target.back().args;
    args.push_back(value);
    Call(*object, target.back(), DISPATCH_PROPERTYPUTREF, std::move(args));
    return;
  }
  bool call_keyword = PeekKeyword("Call");
  if (call_keyword) Next();
  if (Peek().kind != Tok::Ident) throw SyntaxError("expected a statement");
  Chain chain = ParseChain();
  if (!call_keyword && Accept(Tok::Equals)) {
    Variant value = Expression();
    Expect(Tok::End, "end of statement");
    ObjectRef object = Target(chain);
    std::vector<Variant> args = chain.back().args;
    args.push_back(value);
    Call(*object, chain.back(), DISPATCH_PROPERTYPUT, std::move(args));
    return;
  }
  // A method call: `Name`, `Name(args)`, `Call Name(args)` or `Name arg, arg`.
  std::vector<Variant> args = chain.back().args;
  if (Peek().kind != Tok::End) {
    if (call_keyword || chain.back().called) throw SyntaxError("expected end of statement");
    args = ArgumentList(Tok::End);
  }
  Expect(Tok::End, "end of statement");
  Variant ignored;
  if (chain.size() == 1 && Builtin(Segment{chain[0].name, true, args, chain[0].column}, &ignored))
    return;
  ObjectRef object = Target(chain);
  Call(*object, chain.back(), DISPATCH_METHOD, std::move(args));
}

Interpreter::Chain Interpreter::ParseChain() {
  Chain chain;
  do {
    const Token& t = Peek();
    if (t.kind != Tok::Ident) throw SyntaxError("expected a member name");
    Segment s;
    s.name = Next().text;
    s.column = t.column;
    if (Accept(Tok::LParen)) {
      s.called = true;
      s.args = ArgumentList(Tok::RParen);
      Expect(Tok::RParen, "')'");
    }
    chain.push_back(std::move(s));
  } while (Accept(Tok::Dot));
  return chain;
}

std::vector<Variant> Interpreter::ArgumentList(Tok closer) {
  std::vector<Variant> args;
  if (Peek().kind == closer) return args;
  for (;;) {
    // An argument left out between commas is passed as missing.
    if (Peek().kind == Tok::Comma || Peek().kind == closer)
      args.push_back(Variant::Missing());
    else
      args.push_back(Expression());
    if (!Accept(Tok::Comma)) break;
    if (Peek().kind == closer) args.push_back(Variant::Missing());
  }
  return args;
}

Variant Interpreter::Expression() {
  if (depth_ >= kMaxExpressionDepth)
    throw SyntaxError("expression nested more than " + std::to_string(kMaxExpressionDepth) +
                      " deep at column " + std::to_string(Peek().column + 1));
  struct Nesting {
    int& depth;
    explicit Nesting(int& d) : depth(++d) {}
    ~Nesting() { --depth; }
  } nesting(depth_);
  if (Accept(Tok::Minus)) return Negate(Expression());
  return Primary();
}

Variant Interpreter::Primary() {
  const Token& t = Peek();
  switch (t.kind) {
    case Tok::Literal:
      return Next().value;
    case Tok::LParen: {
      Next();
      Variant v = Expression();
      Expect(Tok::RParen, "')'");
      return v;
    }
    case Tok::Ident: {
      if (PeekKeyword("True")) return Next(), Variant::Boolean(true);
      if (PeekKeyword("False")) return Next(), Variant::Boolean(false);
      if (PeekKeyword("Nothing")) return Next(), Variant::Nothing();
      if (PeekKeyword("Empty")) return Next(), Variant();
      return EvaluateChain(ParseChain());
    }
    default:
      throw SyntaxError("expected a value at column " + std::to_string(t.column + 1) +
                        (t.kind == Tok::End ? " (end of line)" : " ('" + t.text + "')"));
  }
}

Variant Interpreter::EvaluateChain(const Chain& chain) {
  Variant result;
  if (chain.size() == 1 && Builtin(chain[0], &result)) return result;
  ObjectRef object = Target(chain);
  return Call(*object, chain.back(), DISPATCH_METHOD | DISPATCH_PROPERTYGET, chain.back().args);
}

ObjectRef Interpreter::Target(const Chain& chain) {
  ObjectRef object = control_;
  for (size_t i = 0; i + 1 < chain.size(); ++i) {
    Variant v = Call(*object, chain[i], DISPATCH_METHOD | DISPATCH_PROPERTYGET, chain[i].args);
    if (!v.IsObject()) Raise(err::kNoObject);
    if (v.IsNothing()) Raise(err::kObjectNotSet);
    object = v.object();
  }
  return object;
}

Variant Interpreter::Call(DispatchObject& object, const Segment& segment, uint16_t kind,
                          std::vector<Variant> args) {
  DISPID id = object.GetIDOfName(segment.name);
  if (id == DISPID_UNKNOWN) Raise(err::kNotSupported);
  return object.Invoke(id, kind, args);
}

bool Interpreter::Builtin(const Segment& segment, Variant* result) {
  if (control_->GetIDOfName(segment.name) != DISPID_UNKNOWN) return false;
  const std::vector<Variant>& a = segment.args;
  if (NameEquals(segment.name, "RGB")) {
    if (a.size() != 3) Raise(err::kWrongArguments);
    auto channel = [](const Variant& v) {
      int32_t c = ToLong(v);
      if (c < 0) Raise(err::kInvalidProcedureCall);
      return static_cast<uint8_t>(c > 255 ? 255 : c);
    };
    *result = Variant::Long(static_cast<int32_t>(RGB(channel(a[0]), channel(a[1]), channel(a[2]))));
    return true;
  }
  if (NameEquals(segment.name, "LoadPicture")) {
    if (a.size() > 1) Raise(err::kWrongArguments);
    std::string path = a.empty() || a[0].IsMissing() ? "" : ToText(a[0]);
    *result = Variant::Object(LoadPicture(path));
    return true;
  }
  if (NameEquals(segment.name, "NewFont")) {
    // NewFont(name, size [, bold [, italic [, underline [, strikethrough]]]])
    if (a.size() < 2 || a.size() > 6)
      Raise(a.size() < 2 ? err::kArgumentNotOptional : err::kWrongArguments);
    if (a[0].IsMissing() || a[1].IsMissing()) Raise(err::kArgumentNotOptional);
    auto font = StdFont::Create(ToText(a[0]), ToDouble(a[1]));
    auto flag = [&](size_t i) { return i < a.size() && !a[i].IsMissing() && ToBoolean(a[i]); };
    font->SetBold(flag(2));
    font->SetItalic(flag(3));
    font->SetUnderline(flag(4));
    font->SetStrikethrough(flag(5));
    *result = Variant::Object(font);
    return true;
  }
  return false;
}

std::string Interpreter::Format(const Variant& v) const {
  switch (v.type()) {
    case VarType::Object:
      return v.IsNothing() ? "Nothing" : v.object()->TypeName();
    case VarType::Error:
      return "";
    default:
      return ToText(v);
  }
}

void Interpreter::PrintValue(const Variant& v) {
  out_ << Format(v) << "\n";
}

namespace {

// The line after the command's first `n` words, without surrounding blanks (a file name
// may hold blanks).
std::string_view RestOf(std::string_view line, size_t n) {
  auto skip = [&line](const char* set, bool in_set) {
    const size_t i = in_set ? line.find_first_not_of(set) : line.find_first_of(set);
    line.remove_prefix(std::min(i, line.size()));
  };
  for (size_t i = 0; i < n; ++i) {
    skip(" \t", true);
    skip(" \t", false);
  }
  skip(" \t", true);
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
    line.remove_suffix(1);
  return line;
}

// A command that reports its errors as text: a non-empty text is the host error.
void Check(const std::string& error) {
  if (!error.empty()) throw HostError(error);
}

}  // namespace

std::span<const Interpreter::HostCommandRow> Interpreter::HostCommands() {
  using Words = std::vector<std::string>;
  // `words` -1: the command checks its own words.
  static const HostCommandRow kRows[] = {
      {"size", 2, "size W H",
       [](Interpreter& i, const Words& w, std::string_view) {
         int width = ParseInt(w[1], "width"), height = ParseInt(w[2], "height");
         if (width < 0 || height < 0) throw HostError("the size must not be negative");
         if (int64_t{width} * height > gdi::kMaxBitmapPixels)
           throw HostError(w[1] + " x " + w[2] +
                           " pixels is more than a window can hold (at most " +
                           std::to_string(gdi::kMaxBitmapPixels) + " pixels)");
         i.host_.ResizePixels(width, height);
         i.host_.Paint();  // a window that changed size is painted again
       }},
      {"paint", 0, "paint",
       [](Interpreter& i, const Words&, std::string_view) { i.host_.Paint(); }},
      {"save", -1, "save FILE",
       [](Interpreter& i, const Words& w, std::string_view line) {
         if (w.size() < 2) throw HostError("usage: :save FILE");
         const std::string path(RestOf(line, 1));
         const gdi::PixelView view = i.host_.Pixels();
         std::string error;
         if (!SavePng(path, view.pixels, view.width, view.height, &error))
           throw HostError("cannot save " + path + ": " + error);
       }},
      {"hash", 0, "hash",
       [](Interpreter& i, const Words&, std::string_view) {
         i.out_ << PixelHashText(PixelHash(i.host_.Pixels())) << "\n";
       }},
      {"pixel", 2, "pixel X Y",
       [](Interpreter& i, const Words& w, std::string_view) {
         int x = ParseInt(w[1], "x"), y = ParseInt(w[2], "y");
         COLORREF c = i.host_.Pixel(x, y);
         if (c == gdi::CLR_INVALID) {
           gdi::PixelView view = i.host_.Pixels();
           throw HostError("pixel (" + w[1] + ", " + w[2] + ") is outside the window (" +
                           std::to_string(view.width) + " x " + std::to_string(view.height) + ")");
         }
         char text[16];
         std::snprintf(text, sizeof text, "&H%06X", static_cast<unsigned>(c & 0xFFFFFF));
         i.out_ << text << "\n";
       }},
      {"notes", 0, "notes",
       [](Interpreter& i, const Words&, std::string_view) {
         for (const std::string& n : i.host_.TakeNotifications()) i.out_ << n << "\n";
       }},
      {"events", 0, "events",
       [](Interpreter& i, const Words&, std::string_view) {
         for (const RecordedEvent& e : i.host_.TakeEvents()) {
           i.out_ << e.name;
           for (const Variant& a : e.args) i.out_ << " " << i.Format(a);
           i.out_ << "\n";
         }
       }},
      {"design", 0, "design",
       [](Interpreter& i, const Words&, std::string_view) { i.host_.SetUserMode(false); }},
      {"run", 0, "run",
       [](Interpreter& i, const Words&, std::string_view) { i.host_.SetUserMode(true); }},
      {"objects", 0, "objects",
       [](Interpreter& i, const Words&, std::string_view) {
         i.out_ << gdi::LiveObjectCount() << "\n";
       }},
      {"click", -1, "click X Y [left|right|middle]",
       [](Interpreter& i, const Words& w, std::string_view) { i.MouseCommand(w); }},
      {"dblclick", -1, "dblclick X Y",
       [](Interpreter& i, const Words& w, std::string_view) { i.MouseCommand(w); }},
      {"members", 0, "members",
       [](Interpreter& i, const Words&, std::string_view) {
         for (const MemberRow& row : Members()) i.out_ << MemberLine(row) << "\n";
       }},
      {"extent", 0, "extent",
       [](Interpreter& i, const Words&, std::string_view) {
         i.out_ << i.host_.Width() << " " << i.host_.Height() << " "
                << FormatDouble(i.host_.ScaleWidth()) << " " << FormatDouble(i.host_.ScaleHeight())
                << "\n";
       }},
      {"store", -1, "store FILE NAME",
       [](Interpreter& i, const Words&, std::string_view line) {
         i.FormCommand(true, RestOf(line, 1));
       }},
      {"load", -1, "load FILE NAME",
       [](Interpreter& i, const Words&, std::string_view line) {
         i.FormCommand(false, RestOf(line, 1));
       }},
      {"tick", -1, "tick time|disk [N]",
       [](Interpreter& i, const Words& w, std::string_view) {
         Check(i.live_.Tick(w, i.host_, *i.control_));
       }},
      {"advance", -1, "advance MS",
       [](Interpreter& i, const Words& w, std::string_view) {
         Check(i.live_.Advance(w, i.host_));
       }},
      {"now", -1, "now YYYY-MM-DD HH:MM:SS",
       [](Interpreter& i, const Words&, std::string_view line) {
         Check(i.live_.Now(RestOf(line, 1), i.host_));
       }},
      {"disk", -1, "disk X FREE TOTAL | :disk X fail | :disk X PATH",
       [](Interpreter& i, const Words& w, std::string_view line) {
         Check(i.live_.Disk(w, RestOf(line, 2), i.host_));
       }},
      {"ramp", -1, "ramp STYLE GRANULARITY START END WxH FILE [DEPTH]",
       [](Interpreter& i, const Words& w, std::string_view) { Check(RunRampCommand(w, i.out_)); }},
  };
  return kRows;
}

void Interpreter::HostCommand(std::string_view line) {
  std::vector<std::string> w = Words(line);
  if (w.empty()) throw HostError("missing command after ':'");
  for (const HostCommandRow& row : HostCommands()) {
    if (!NameEquals(w[0], row.name)) continue;
    if (row.words >= 0 && w.size() != static_cast<size_t>(row.words) + 1)
      throw HostError(std::string("usage: :") + std::string(row.usage));
    row.run(*this, w, line);
    return;
  }
  throw HostError("unknown command :" + w[0]);
}

// `:click X Y [left|right|middle]`: the button release at pixel (X, Y), then the click.
// `:dblclick X Y`: the double click alone. A disabled control hears neither.
void Interpreter::MouseCommand(const std::vector<std::string>& w) {
  bool click = NameEquals(w[0], "click");
  if (w.size() != 3 && !(click && w.size() == 4))
    throw HostError(click ? "usage: :click X Y [left|right|middle]" : "usage: :dblclick X Y");
  int x = ParseInt(w[1], "x"), y = ParseInt(w[2], "y");
  if (!click) {
    host_.DblClick();
    return;
  }
  int16_t button = 1;
  if (w.size() == 4) {
    if (NameEquals(w[3], "right"))
      button = 2;
    else if (NameEquals(w[3], "middle"))
      button = 4;
    else if (!NameEquals(w[3], "left"))
      throw HostError("bad button: " + w[3] + " (left, right or middle)");
  }
  host_.MouseUp(button, 0, static_cast<float>(x), static_cast<float>(y));
  host_.Click();
}

}  // namespace vg::vgi
