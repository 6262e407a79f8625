// The immediate window's form commands: a control stored into a Qt Designer form file and
// a control created from one.
#include <sys/stat.h>

#include <cmath>

#include "forms/form_error.h"
#include "forms/ui_form.h"
#include "platform/automation/numeric.h"
#include "tools/vgi/host_error.h"
#include "tools/vgi/interpreter.h"

namespace vg::vgi {
namespace {

// "FILE NAME": the name is the last word, the file everything before it.
bool SplitFileAndName(std::string_view rest, std::string* path, std::string* name) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!rest.empty() && blank(rest.back())) rest.remove_suffix(1);
  while (!rest.empty() && blank(rest.front())) rest.remove_prefix(1);
  size_t split = rest.find_last_of(" \t");
  if (split == std::string_view::npos) return false;
  *name = std::string(rest.substr(split + 1));
  rest = rest.substr(0, split);
  while (!rest.empty() && blank(rest.back())) rest.remove_suffix(1);
  *path = std::string(rest);
  return !path->empty();
}

bool FileExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

HeadlessHostOptions LikeHost(const HeadlessHost& host) {
  HeadlessHostOptions o;
  o.dpi = RoundToInt32(1440.0 / host.TwipsPerPixelX());
  o.user_mode = host.AmbientUserMode();
  return o;
}

}  // namespace

void Interpreter::FormCommand(bool store, std::string_view rest) {
  std::string path, name;
  if (!SplitFileAndName(rest, &path, &name))
    throw HostError(std::string("usage: :") + (store ? "store" : "load") + " FILE NAME");
  if (store)
    StoreForm(path, name);
  else
    LoadForm(path, name);
}

// Writes the control's bag into the form as `name`, making the form if the file does not
// exist; the geometry is the control's size in pixels, so it agrees with the bag's size.
void Interpreter::StoreForm(const std::string& path, const std::string& name) {
  try {
    forms::UiForm form = FileExists(path) ? forms::UiForm::Load(path) : forms::UiForm();
    forms::JsonPropertyBag bag;
    host_.WriteProperties(bag);
    form.StoreControl(name, std::move(bag), RoundToInt32(host_.ScaleWidth()),
                      RoundToInt32(host_.ScaleHeight()));
    form.Save(path);
  } catch (const forms::FormError& e) {
    throw HostError(e.what());
  }
}

// Replaces the control by one created from the stored control `name`. The stored control
// is first loaded in a scratch host, so that a bag failing at some key leaves the session's
// control as it was; the error names the key.
void Interpreter::LoadForm(const std::string& path, const std::string& name) {
  forms::JsonPropertyBag bag;
  try {
    bag = forms::UiForm::Load(path).Bag(name);
  } catch (const forms::FormError& e) {
    throw HostError(e.what());
  }
  auto make = [](UserControl& site) { return std::make_shared<Varigauge>(site); };
  forms::JsonPropertyBag trial = bag;
  try {
    HeadlessHost scratch(LikeHost(host_));
    scratch.Load(make, trial);
  } catch (const AutomationError& e) {
    throw AutomationError(e.number(), e.description() + " (" + path + ": control \"" + name +
                                          "\", key \"" + trial.last_key() + "\")");
  }
  host_.Load(
      [this](UserControl& site) {
        control_ = std::make_shared<Varigauge>(site);
        return control_;
      },
      bag);
  // What loading the control said is not part of the script's output.
  host_.TakeNotifications();
  host_.TakeEvents();
}

}  // namespace vg::vgi
