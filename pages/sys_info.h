#pragma once
// The About box's way to the system-information tool: its path is read from two registry
// values, and the tool is started, or the user is told it is unavailable.
#include <QString>
#include <functional>
#include <string>

#include "platform/registry/registry.h"

class QWidget;

namespace vg {

// The message shown whenever the tool cannot be started.
inline constexpr const char* kSysInfoUnavailable = "System Information Is Unavailable At This Time";

// Reads one value of key `keyName` under `root`: a text value as its text (one terminating
// NUL dropped), a 32-bit number as its decimal text; any other type gives "". Returns
// false, leaving *value as it was, when the key or value is missing or holds more than
// 1024 bytes.
bool GetKeyValue(reg::RegistryStore& store, reg::HKEY root, const std::string& keyName,
                 const std::string& valueName, std::string* value);
bool GetKeyValue(reg::HKEY root, const std::string& keyName, const std::string& valueName,
                 std::string* value);

// Starts the tool named by the first registry value, else MSINFO32.EXE in the directory
// the second names (if that file exists); otherwise, and whenever starting fails, shows
// kSysInfoUnavailable in a modal message box over `parent`.
void StartSysInfo(QWidget* parent, reg::RegistryStore& store);
void StartSysInfo(QWidget* parent);

// What StartSysInfo does to start a program (true when it started) and to show its message.
// Tests replace them; an empty function restores the default (QProcess::startDetached, a
// modal QMessageBox). Each returns the one it replaces.
using ProgramStarter = std::function<bool(const QString& program)>;
using MessageShower = std::function<void(QWidget* parent, const QString& text)>;
ProgramStarter SetProgramStarter(ProgramStarter starter);
MessageShower SetMessageShower(MessageShower shower);

}  // namespace vg
