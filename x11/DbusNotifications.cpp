#include "x11/DbusNotifications.h"

#include <dbus/dbus.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

namespace talvex::x11 {

namespace {

constexpr const char* Service = "org.freedesktop.Notifications";
constexpr const char* Path = "/org/freedesktop/Notifications";
constexpr const char* AppName = "Talvex";
constexpr const char* Icon = "accessories-calculator";
// A hung service must not hold the program up for long.
constexpr int CallTimeoutMs = 1000;

// The reply to a method call, or null.
DBusMessage* Call(DBusConnection* Bus, DBusMessage* Message) {
  DBusError Error;
  dbus_error_init(&Error);
  DBusMessage* Reply = dbus_connection_send_with_reply_and_block(Bus, Message, CallTimeoutMs, &Error);
  dbus_error_free(&Error);
  dbus_message_unref(Message);
  return Reply;
}

bool ServerReadsMarkup(DBusConnection* Bus) {
  DBusMessage* Reply = Call(Bus, dbus_message_new_method_call(Service, Path, Service, "GetCapabilities"));
  if (!Reply) return false;
  bool Markup = false;
  DBusMessageIter Args, Items;
  if (dbus_message_iter_init(Reply, &Args) && dbus_message_iter_get_arg_type(&Args) == DBUS_TYPE_ARRAY) {
    for (dbus_message_iter_recurse(&Args, &Items); dbus_message_iter_get_arg_type(&Items) == DBUS_TYPE_STRING;
         dbus_message_iter_next(&Items)) {
      const char* Capability = nullptr;
      dbus_message_iter_get_basic(&Items, &Capability);
      Markup = Markup || std::strcmp(Capability, "body-markup") == 0;
    }
  }
  dbus_message_unref(Reply);
  return Markup;
}

}  // namespace

TDbusNotifications::~TDbusNotifications() {
  Disconnect();
  // The library's own caches, so that a leak check at exit sees only real leaks.
  dbus_shutdown();
}

// The session bus's address: the variable, else the socket systemd's user
// session keeps. Never autolaunched: a bus of its own would reach no
// notification service and outlive the program.
std::string SessionBusAddress() {
  if (const char* Address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); Address && *Address) return Address;
  const char* Runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!Runtime || !*Runtime) return {};
  const std::string Socket = std::string(Runtime) + "/bus";
  struct stat Info {};
  if (stat(Socket.c_str(), &Info) != 0 || !S_ISSOCK(Info.st_mode)) return {};
  return "unix:path=" + Socket;
}

bool TDbusNotifications::Connect() {
  if (Bus) return true;
  const std::string Address = SessionBusAddress();
  if (Address.empty()) return false;
  DBusError Error;
  dbus_error_init(&Error);
  // A private connection, so that it can be closed again.
  Bus = dbus_connection_open_private(Address.c_str(), &Error);
  if (Bus) {
    dbus_connection_set_exit_on_disconnect(Bus, FALSE);
    if (!dbus_bus_register(Bus, &Error)) Disconnect();
  }
  dbus_error_free(&Error);
  if (!Bus) return false;
  Markup = ServerReadsMarkup(Bus);
  return true;
}

void TDbusNotifications::Disconnect() {
  if (!Bus) return;
  dbus_connection_close(Bus);
  dbus_connection_unref(Bus);
  Bus = nullptr;
}

bool TDbusNotifications::Show(const std::string& Body, bool IsError) {
  if (!Connect()) return false;
  DBusMessage* Message = dbus_message_new_method_call(Service, Path, Service, "Notify");
  if (!Message) return false;
  const std::string Text = Markup ? EscapedMarkup(Body) : Body;
  const char* Name = AppName;
  const char* IconName = Icon;
  const char* Summary = AppName;
  const char* BodyText = Text.c_str();
  const dbus_uint32_t Replaces = LastId;
  const dbus_int32_t Timeout = -1;  // the server's own
  DBusMessageIter Args, Actions, Hints, Entry, Variant;
  dbus_message_iter_init_append(Message, &Args);
  dbus_message_iter_append_basic(&Args, DBUS_TYPE_STRING, &Name);
  dbus_message_iter_append_basic(&Args, DBUS_TYPE_UINT32, &Replaces);
  dbus_message_iter_append_basic(&Args, DBUS_TYPE_STRING, &IconName);
  dbus_message_iter_append_basic(&Args, DBUS_TYPE_STRING, &Summary);
  dbus_message_iter_append_basic(&Args, DBUS_TYPE_STRING, &BodyText);
  dbus_message_iter_open_container(&Args, DBUS_TYPE_ARRAY, "s", &Actions);
  dbus_message_iter_close_container(&Args, &Actions);
  dbus_message_iter_open_container(&Args, DBUS_TYPE_ARRAY, "{sv}", &Hints);
  // Urgency low for a result, normal for an error: nothing here is critical.
  const char* Urgency = "urgency";
  const unsigned char Level = IsError ? 1 : 0;
  dbus_message_iter_open_container(&Hints, DBUS_TYPE_DICT_ENTRY, nullptr, &Entry);
  dbus_message_iter_append_basic(&Entry, DBUS_TYPE_STRING, &Urgency);
  dbus_message_iter_open_container(&Entry, DBUS_TYPE_VARIANT, "y", &Variant);
  dbus_message_iter_append_basic(&Variant, DBUS_TYPE_BYTE, &Level);
  dbus_message_iter_close_container(&Entry, &Variant);
  dbus_message_iter_close_container(&Hints, &Entry);
  dbus_message_iter_close_container(&Args, &Hints);
  dbus_message_iter_append_basic(&Args, DBUS_TYPE_INT32, &Timeout);
  DBusMessage* Reply = Call(Bus, Message);
  if (!Reply) {
    // The service may come (back) later; a new connection then finds it.
    Disconnect();
    return false;
  }
  dbus_uint32_t Id = 0;
  if (dbus_message_get_args(Reply, nullptr, DBUS_TYPE_UINT32, &Id, DBUS_TYPE_INVALID)) LastId = Id;
  dbus_message_unref(Reply);
  return true;
}

}  // namespace talvex::x11
