#include "pages/sys_info.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <cstdint>

namespace vg {
namespace {

constexpr reg::DWORD kKeyAccess = 0x2003F;  // query, set, create, enumerate, notify, link
constexpr reg::DWORD kBufferSize = 1024;

bool StartDetached(const QString& program) {
  return QProcess::startDetached(program, {});
}

void ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, QStringLiteral("Varigauge"), text, QMessageBox::Ok);
}

ProgramStarter& Starter() {
  static ProgramStarter starter = StartDetached;
  return starter;
}

MessageShower& Shower() {
  static MessageShower shower = ShowMessage;
  return shower;
}

}  // namespace

ProgramStarter SetProgramStarter(ProgramStarter starter) {
  ProgramStarter old = std::move(Starter());
  Starter() = starter ? std::move(starter) : StartDetached;
  return old;
}

MessageShower SetMessageShower(MessageShower shower) {
  MessageShower old = std::move(Shower());
  Shower() = shower ? std::move(shower) : ShowMessage;
  return old;
}

bool GetKeyValue(reg::RegistryStore& store, reg::HKEY root, const std::string& keyName,
                 const std::string& valueName, std::string* value) {
  reg::HKEY key = 0;
  if (store.RegOpenKeyExA(root, keyName.c_str(), 0, kKeyAccess, &key) != reg::ERROR_SUCCESS)
    return false;
  uint8_t buffer[kBufferSize] = {};
  reg::DWORD size = kBufferSize, type = reg::REG_NONE;
  if (store.RegQueryValueExA(key, valueName.c_str(), nullptr, &type, buffer, &size) !=
      reg::ERROR_SUCCESS) {
    store.RegCloseKey(key);
    return false;
  }
  // One terminating NUL is not part of the value. An empty value has none to drop.
  if (size > 0 && buffer[size - 1] == 0) --size;
  switch (type) {
    case reg::REG_SZ:
      value->assign(reinterpret_cast<const char*>(buffer), size);
      break;
    case reg::REG_DWORD: {
      // Little-endian; a byte the NUL rule dropped was a zero high byte.
      uint32_t number = 0;
      for (reg::DWORD i = 0; i < size && i < 4; ++i) number |= uint32_t{buffer[i]} << (8 * i);
      *value = std::to_string(number);
      break;
    }
    default:
      value->clear();
      break;
  }
  store.RegCloseKey(key);
  return true;
}

bool GetKeyValue(reg::HKEY root, const std::string& keyName, const std::string& valueName,
                 std::string* value) {
  return GetKeyValue(reg::DefaultRegistry(), root, keyName, valueName, value);
}

void StartSysInfo(QWidget* parent, reg::RegistryStore& store) {
  std::string path;
  if (GetKeyValue(store, reg::HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                  "PATH", &path)) {
    if (Starter()(QString::fromStdString(path))) return;
  } else if (GetKeyValue(store, reg::HKEY_LOCAL_MACHINE,
                         "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", &path)) {
    const QString program = QString::fromStdString(path + "\\MSINFO32.EXE");
    if (QFileInfo::exists(program) && Starter()(program)) return;
  }
  Shower()(parent, QString::fromLatin1(kSysInfoUnavailable));
}

void StartSysInfo(QWidget* parent) {
  StartSysInfo(parent, reg::DefaultRegistry());
}

}  // namespace vg
