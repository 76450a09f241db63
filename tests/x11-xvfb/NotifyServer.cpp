// A notification server for the tests, on the private session bus of
// run-case.sh: it owns org.freedesktop.Notifications, answers Notify with the
// id it replaces or a new one, and says on standard output
//   ready
//   notify REPLACES_ID ID BODY
#include <dbus/dbus.h>

#include <cstdio>
#include <cstring>

namespace {

void Reply(DBusConnection* Bus, DBusMessage* Call, dbus_uint32_t Id) {
  DBusMessage* Answer = dbus_message_new_method_return(Call);
  dbus_message_append_args(Answer, DBUS_TYPE_UINT32, &Id, DBUS_TYPE_INVALID);
  dbus_connection_send(Bus, Answer, nullptr);
  dbus_message_unref(Answer);
}

void Capabilities(DBusConnection* Bus, DBusMessage* Call) {
  DBusMessage* Answer = dbus_message_new_method_return(Call);
  DBusMessageIter Args, List;
  const char* Body = "body";
  dbus_message_iter_init_append(Answer, &Args);
  dbus_message_iter_open_container(&Args, DBUS_TYPE_ARRAY, "s", &List);
  dbus_message_iter_append_basic(&List, DBUS_TYPE_STRING, &Body);
  dbus_message_iter_close_container(&Args, &List);
  dbus_connection_send(Bus, Answer, nullptr);
  dbus_message_unref(Answer);
}

}  // namespace

int main() {
  DBusError Error;
  dbus_error_init(&Error);
  DBusConnection* Bus = dbus_bus_get(DBUS_BUS_SESSION, &Error);
  if (!Bus) {
    std::fprintf(stderr, "no session bus: %s\n", Error.message);
    return 1;
  }
  if (dbus_bus_request_name(Bus, "org.freedesktop.Notifications", DBUS_NAME_FLAG_DO_NOT_QUEUE, &Error) !=
      DBUS_REQUEST_NAME_REPLY_PRIMARY_OWNER) {
    std::fprintf(stderr, "the name is taken\n");
    return 1;
  }
  std::puts("ready");
  std::fflush(stdout);
  dbus_uint32_t Next = 1;
  while (dbus_connection_read_write(Bus, -1)) {
    while (DBusMessage* Call = dbus_connection_pop_message(Bus)) {
      const char* Interface = "org.freedesktop.Notifications";
      if (dbus_message_is_method_call(Call, Interface, "Notify")) {
        const char *App = nullptr, *Icon = nullptr, *Summary = nullptr, *Body = nullptr;
        dbus_uint32_t Replaces = 0;
        dbus_message_get_args(Call, nullptr, DBUS_TYPE_STRING, &App, DBUS_TYPE_UINT32, &Replaces, DBUS_TYPE_STRING,
                              &Icon, DBUS_TYPE_STRING, &Summary, DBUS_TYPE_STRING, &Body, DBUS_TYPE_INVALID);
        const dbus_uint32_t Id = Replaces != 0 ? Replaces : Next++;
        std::printf("notify %u %u %s\n", Replaces, Id, Body ? Body : "");
        std::fflush(stdout);
        Reply(Bus, Call, Id);
      } else if (dbus_message_is_method_call(Call, Interface, "GetCapabilities")) {
        Capabilities(Bus, Call);
      }
      dbus_message_unref(Call);
    }
  }
  return 0;
}
