#pragma once
// A sample program: one window opened from its form, the form's load code and its button
// handlers, and the command line every sample shares. Handlers drive the controls only
// through their public members, as a program using the control would.
#include <QString>
#include <QWidget>
#include <memory>

#include "qt/form_runtime.h"
#include "qt/varigauge_widget.h"

namespace vg::samples {

class Sample {
 public:
  // Opens the form `path` (a file, or a resource such as ":/samples/multistrip.ui").
  // Throws std::runtime_error when it cannot, or when the form lacks a control the
  // sample's handlers use.
  explicit Sample(const QString& path);
  virtual ~Sample();
  Sample(const Sample&) = delete;
  Sample& operator=(const Sample&) = delete;

  QWidget* window() const { return form_->window(); }
  Form& form() const { return *form_; }

  // Starts the status bar's clock. A sample adds its own load code after it.
  virtual void Load();

 protected:
  // The Varigauge `name` (element `index` of an array). Throws std::runtime_error when the
  // form has none; constructors ask for every control their handlers use, so that a form
  // that lost one fails when the sample opens, not in a handler.
  VarigaugeWidget& Gauge(const QString& name, int index = -1) const;

 private:
  std::unique_ptr<Form> form_;
};

// Presses the button `name` (element `index` of an array) as a user would; its handler
// has run when Press returns. Throws std::runtime_error when the form has no such button.
void Press(Sample& sample, const QString& name, int index = -1);

// "Process pending window events" between two steps of a Start loop. Drawing a step takes
// a fraction of a millisecond, so on a display each step also lasts at least the pace
// (SetStepPace), for the fill to be seen: the step waits in an event loop, which keeps the
// window live and lets another press start a loop inside this one. Without a pace (the
// default, and for pictures) it processes only what is pending, one round per step.
void ProcessPendingEvents();
// The shortest time of a step in milliseconds; 0 (the default) for none.
void SetStepPace(int milliseconds);
// The pace of the programs on a display: a bar fills in about a second.
inline constexpr int kDisplayPace = 10;

// FillBar: block 1 of `bar` grows from 0 to 100 % in 101 steps, the window kept live
// between steps.
void FillBar(VarigaugeWidget& bar);

// A form of `bars` one-block bars Varigauge1(0), Varigauge1(1), ... each with its Start
// button Command1(i) filling it.
class FillBarSample : public Sample {
 public:
  FillBarSample(const QString& path, int bars);
  // FillBar on Varigauge1(Index).
  void Command1_Click(int Index);
};

// The program's command line:
//   NAME                      shows the window and runs until it is closed;
//   NAME --screenshot OUT.png [--after MS | --rounds N] [--press BUTTON[:INDEX]]...
//                             loads the form, presses the buttons in order and writes the
//                             window's picture, then exits; it needs no display. The
//                             picture is taken MS milliseconds after loading (default 0),
//                             or at the N-th round of event processing (round 0 is the
//                             first): timers and Start loops run meanwhile, and since a
//                             Start loop runs one round per step, "--rounds 30 --press
//                             Command1" shows its loop at step 30.
// Qt's -platform (or --platform) NAME is accepted. Bad arguments and a picture that cannot
// be written give a message on standard error and exit status 2.
int RunSample(int argc, char** argv, std::unique_ptr<Sample> (*make)());

}  // namespace vg::samples
