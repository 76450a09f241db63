// Where the outcome of a cycle goes: a desktop notification that replaces
// the previous one, or, without a notification service, standard error.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "edge/Language.h"

namespace talvex::x11 {

class INotifications {
 public:
  virtual ~INotifications() = default;
  // False when no notification service took it.
  virtual bool Show(const std::string& Body, bool IsError) = 0;
};

// Body text for a notification server that reads markup: &, < and > as
// entities, so that 2<3 reads as written.
std::string EscapedMarkup(const std::string& Text);

class TReporter {
 public:
  using TWriter = std::function<void(std::string_view)>;

  // Writer takes one line without its line end. Echo writes every message
  // there too, as one-shot mode does for whoever started it from a terminal.
  TReporter(INotifications* Notifications, TLanguage Language, TWriter Writer, bool Echo)
      : Service(Notifications), Lang(Language), Write(std::move(Writer)), AlsoWrite(Echo) {}

  void Error(const std::string& Message) { Tell(Message, true, false); }
  // Silent unless NotifyResults.
  void Result(const std::string& Answer);
  // What the user must know although nothing failed.
  void Notice(const std::string& Message) { Tell(Message, false, false); }
  // A problem at start, also on standard error for whoever started the program.
  void Warn(const std::string& Message) { Tell(Message, true, true); }

  TLanguage Language() const { return Lang; }
  bool NotifyResults = false;

 private:
  void Tell(const std::string& Message, bool IsError, bool AlwaysWrite);

  INotifications* Service;
  TLanguage Lang;
  TWriter Write;
  bool AlsoWrite;
  bool SaidNoService = false;
};

}  // namespace talvex::x11
