// Desktop notifications through org.freedesktop.Notifications on the
// session bus, each replacing the one before it rather than stacking.
#pragma once

#include <cstdint>
#include <string>

#include "x11/Reporter.h"

struct DBusConnection;

namespace talvex::x11 {

class TDbusNotifications final : public INotifications {
 public:
  TDbusNotifications() = default;
  ~TDbusNotifications() override;
  TDbusNotifications(const TDbusNotifications&) = delete;
  TDbusNotifications& operator=(const TDbusNotifications&) = delete;

  bool Show(const std::string& Body, bool IsError) override;

 private:
  bool Connect();
  void Disconnect();

  DBusConnection* Bus = nullptr;
  std::uint32_t LastId = 0;  // what the next one replaces
  bool Markup = false;       // the server reads the body as markup
};

}  // namespace talvex::x11
