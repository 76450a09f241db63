// The end-to-end cases of talvex-x11 in a private Xvfb (run-case.sh starts
// it): a user's keyboard pressing the hotkeys (the Xvfb keyboard device, not
// XTest's, so that the program tells the user's keys from its own), the test
// text field, a second window, xterm, and for one case a notification
// server on a private session bus.
//
//   x11_xvfb_driver CASE TALVEX_X11 TEXT_FIELD [NOTIFY_SERVER]
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using TClock = std::chrono::steady_clock;
constexpr int WaitMs = 15000;  // the Debug build with sanitizers on a loaded machine

struct TFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void Check(bool Condition, const std::string& What) {
  if (!Condition) throw TFailure(What);
}

void Sleep(int Ms) { std::this_thread::sleep_for(std::chrono::milliseconds(Ms)); }

long long MonotonicNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(TClock::now().time_since_epoch()).count();
}

std::string ReadFile(const std::string& Path) {
  std::ifstream In(Path, std::ios::binary);
  std::stringstream Text;
  Text << In.rdbuf();
  return Text.str();
}

// Waits for Condition, checking it every 10 ms.
bool WaitUntil(const std::function<bool()>& Condition, int TimeoutMs = WaitMs) {
  const auto Deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
  while (!Condition()) {
    if (TClock::now() > Deadline) return false;
    Sleep(10);
  }
  return true;
}

// A program of the test: its standard input a pipe, its output lines read
// as they come, its standard error in a file.
class TProcess {
 public:
  TProcess(std::vector<std::string> Argv, const std::vector<std::string>& Environment, const std::string& ErrFile) {
    int In[2], Out[2];
    Check(pipe2(In, O_CLOEXEC) == 0 && pipe2(Out, O_CLOEXEC) == 0, "pipe");
    posix_spawn_file_actions_t Actions;
    posix_spawn_file_actions_init(&Actions);
    posix_spawn_file_actions_adddup2(&Actions, In[0], 0);
    posix_spawn_file_actions_adddup2(&Actions, Out[1], 1);
    posix_spawn_file_actions_addopen(&Actions, 2, ErrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> Env(Environment);
    for (char** E = environ; *E; ++E) Env.emplace_back(*E);  // the first of a name wins
    std::vector<char*> Args, Envp;
    for (std::string& A : Argv) Args.push_back(A.data());
    Args.push_back(nullptr);
    for (std::string& E : Env) Envp.push_back(E.data());
    Envp.push_back(nullptr);
    Check(posix_spawn(&Pid, Args[0], &Actions, nullptr, Args.data(), Envp.data()) == 0, "spawn " + Argv[0]);
    posix_spawn_file_actions_destroy(&Actions);
    close(In[0]);
    close(Out[1]);
    Input = In[1];
    Output = Out[0];
    Err = ErrFile;
    Name = Argv[0];
  }
  ~TProcess() {
    if (Pid > 0) {
      kill(Pid, SIGTERM);
      // A program that does not end on SIGTERM is a failure of its own, not a hang of the test.
      if (!WaitUntil([&] { return waitpid(Pid, nullptr, WNOHANG) == Pid; }, 5000)) {
        std::fprintf(stderr, "FAIL %s did not end on SIGTERM\n", Name.c_str());
        kill(Pid, SIGKILL);
        Wait();
      }
    }
    close(Input);
    close(Output);
  }
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  void Send(const std::string& Line) { Check(write(Input, (Line + "\n").data(), Line.size() + 1) > 0, "write"); }

  // The next line, or nothing at the deadline or the end.
  std::optional<std::string> Line(int TimeoutMs = WaitMs) {
    const auto Deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
    for (;;) {
      if (const std::size_t End = Pending.find('\n'); End != std::string::npos) {
        std::string Got = Pending.substr(0, End);
        Pending.erase(0, End + 1);
        Lines.push_back(Got);
        return Got;
      }
      const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
      pollfd Wait{Output, POLLIN, 0};
      if (Left <= 0 || poll(&Wait, 1, static_cast<int>(Left)) <= 0) return std::nullopt;
      char Buffer[4096];
      const ssize_t N = read(Output, Buffer, sizeof Buffer);
      if (N <= 0) return std::nullopt;
      Pending.append(Buffer, static_cast<std::size_t>(N));
    }
  }
  // Reads lines until one starts with Prefix.
  std::string Expect(const std::string& Prefix, int TimeoutMs = WaitMs) {
    while (const auto Got = Line(TimeoutMs))
      if (Got->rfind(Prefix, 0) == 0) return *Got;
    throw TFailure("no line '" + Prefix + "...'; stderr: " + ReadFile(Err));
  }
  std::string Errors() const { return ReadFile(Err); }
  int Wait() {
    int Ended = 0;
    while (waitpid(Pid, &Ended, 0) < 0 && errno == EINTR) {
    }
    Pid = -1;
    return WIFEXITED(Ended) ? WEXITSTATUS(Ended) : 128 + WTERMSIG(Ended);
  }

  std::vector<std::string> Lines;
  std::string Name;

 private:
  pid_t Pid = -1;
  int Input = -1, Output = -1;
  std::string Pending, Err;
};

struct TRun {
  std::string Case, Talvex, Field, NotifyServer, Work;
  Display* Dpy = nullptr;
  XDevice* Keyboard = nullptr;  // the Xvfb keyboard: the user's
  std::vector<std::unique_ptr<TProcess>> Started;
};

TProcess& Start(TRun& R, std::vector<std::string> Argv, std::vector<std::string> Environment = {}) {
  const std::string Err = R.Work + "/stderr." + std::to_string(R.Started.size());
  R.Started.push_back(std::make_unique<TProcess>(std::move(Argv), Environment, Err));
  return *R.Started.back();
}

TProcess& StartField(TRun& R, const std::string& Text, std::vector<std::string> Options = {}) {
  Options.insert(Options.begin(), {R.Field, Text});
  TProcess& Field = Start(R, Options);
  Field.Expect("ready");
  return Field;
}

// talvex-x11 in English and the C locale unless told otherwise; resident,
// once its hotkeys are grabbed.
TProcess& StartTalvex(TRun& R, std::vector<std::string> Options = {}, std::vector<std::string> Environment = {}) {
  Options.insert(Options.begin(), R.Talvex);
  Environment.insert(Environment.end(), {"LANG=C", "LC_ALL=", "LC_NUMERIC=", "LC_MESSAGES="});
  TProcess& Talvex = Start(R, Options, Environment);
  const Atom Instance = XInternAtom(R.Dpy, "_TALVEX_X11_S0", False);
  const Atom Announced = XInternAtom(R.Dpy, "_TALVEX_X11_HOTKEYS", False);
  Check(WaitUntil([&] {
          const Window Owner = XGetSelectionOwner(R.Dpy, Instance);
          if (Owner == None) return false;
          Atom Type = None;
          int Format = 0;
          unsigned long Count = 0, After = 0;
          unsigned char* Data = nullptr;
          XGetWindowProperty(R.Dpy, Owner, Announced, 0, 64, False, AnyPropertyType, &Type, &Format, &Count, &After,
                             &Data);
          if (Data) XFree(Data);
          return Type != None;
        }),
        "talvex-x11 did not grab its hotkeys; stderr: " + Talvex.Errors());
  return Talvex;
}

KeyCode Code(TRun& R, KeySym Keysym) {
  const KeyCode Key = XKeysymToKeycode(R.Dpy, Keysym);
  Check(Key != 0, "no key for keysym " + std::to_string(Keysym));
  return Key;
}

void UserKey(TRun& R, KeySym Keysym, bool Press) {
  XTestFakeDeviceKeyEvent(R.Dpy, R.Keyboard, Code(R, Keysym), Press ? True : False, nullptr, 0, 0);
  XSync(R.Dpy, False);
}

// The user presses Ctrl+Shift+Key and lets go of everything.
void Hotkey(TRun& R, KeySym Key) {
  for (const KeySym K : {KeySym{XK_Control_L}, KeySym{XK_Shift_L}, Key}) UserKey(R, K, true);
  for (const KeySym K : {Key, KeySym{XK_Shift_L}, KeySym{XK_Control_L}}) UserKey(R, K, false);
}

bool KeyDown(TRun& R, KeySym Keysym) {
  char Keys[32];
  XQueryKeymap(R.Dpy, Keys);
  const KeyCode Key = Code(R, Keysym);
  return (Keys[Key / 8] >> (Key % 8)) & 1;
}

std::string FieldText(TProcess& Field, const std::string& Expected) {
  std::string Last;
  for (;;) {
    const auto Got = Field.Line();
    if (!Got) return Last;
    if (Got->rfind("text ", 0) == 0) Last = Got->substr(5);
    if (Last == Expected) return Last;
  }
}

void ExpectText(TProcess& Field, const std::string& Expected) {
  const std::string Got = FieldText(Field, Expected);
  Check(Got == Expected, "the field shows '" + Got + "', not '" + Expected + "'");
}

// Waits until Talvex's standard error says Text.
void ExpectMessage(TProcess& Talvex, const std::string& Text) {
  Check(WaitUntil([&] { return Talvex.Errors().find(Text) != std::string::npos; }),
        "no message '" + Text + "'; stderr: " + Talvex.Errors());
}

// Nothing typed: no key reached the field while the message came.
void ExpectNothingTyped(TProcess& Field) {
  while (const auto Got = Field.Line(300)) Check(Got->rfind("key ", 0) != 0, "typed: " + *Got);
}

std::vector<KeySym> KeyboardMapping(TRun& R) {
  int Min = 0, Max = 0, PerKey = 0;
  XDisplayKeycodes(R.Dpy, &Min, &Max);
  KeySym* Map = XGetKeyboardMapping(R.Dpy, static_cast<KeyCode>(Min), Max - Min + 1, &PerKey);
  std::vector<KeySym> Copy(Map, Map + (Max - Min + 1) * PerKey);
  XFree(Map);
  return Copy;
}

void SetLayout(const std::string& Layout) {
  Check(std::system(("setxkbmap -layout " + Layout).c_str()) == 0, "setxkbmap " + Layout);
}

// The cases ---------------------------------------------------------------

void Expression(TRun& R) {
  TProcess& Field = StartField(R, "x 2+3*4 y", {"--select=2,5"});
  StartTalvex(R);
  Hotkey(R, XK_F7);
  ExpectText(Field, "x 2+3*4=14 y");
}

void Result(TRun& R) {
  TProcess& Field = StartField(R, "x 2+3*4 y", {"--select=2,5", "--incr=2"});  // the text in pieces of two bytes
  StartTalvex(R);
  Hotkey(R, XK_F8);
  ExpectText(Field, "x 14 y");
}

// Held beyond the keyboard's repeat delay, the hotkey is told once: with
// nothing typed, the keyboard would repeat it 25 times a second.
void NothingSelected(TRun& R) {
  TProcess& Field = StartField(R, "2+3*4");
  TProcess& Talvex = StartTalvex(R);
  for (const KeySym K : {XK_Control_L, XK_Shift_L, XK_F7}) UserKey(R, K, true);
  ExpectMessage(Talvex, "Nothing is highlighted");
  Sleep(1500);  // Xvfb repeats a held key after 660 ms
  for (const KeySym K : {XK_F7, XK_Shift_L, XK_Control_L}) UserKey(R, K, false);
  ExpectNothingTyped(Field);
  const std::string Said = Talvex.Errors();
  Check(Said.find("Nothing is highlighted") == Said.rfind("Nothing is highlighted"), "told more than once: " + Said);
}

void OtherWindow(TRun& R) {
  TProcess& Other = StartField(R, "1+1", {"--select=0,3", "--no-focus"});
  TProcess& Field = StartField(R, "x");
  TProcess& Talvex = StartTalvex(R);
  Hotkey(R, XK_F8);
  ExpectMessage(Talvex, "The highlighted text is in another window");
  ExpectNothingTyped(Field);
  ExpectNothingTyped(Other);
}

// A German layout has the comma; the Afghan one has neither it nor the Latin
// digits, which then come through borrowed keys, given back afterwards.
void CommaLayout(TRun& R) {
  SetLayout("de");
  TProcess& Talvex = StartTalvex(R, {}, {"LANG=de_DE.UTF-8"});
  {
    TProcess& Field = StartField(R, "7/2", {"--select=0,3"});
    Hotkey(R, XK_F8);
    ExpectText(Field, "3,5");
    Field.Send("quit");
  }
  SetLayout("af");
  const std::vector<KeySym> Before = KeyboardMapping(R);
  TProcess& Field = StartField(R, "7/2", {"--select=0,3"});
  Hotkey(R, XK_F8);
  ExpectText(Field, "3,5");
  Check(WaitUntil([&] { return KeyboardMapping(R) == Before; }), "the borrowed keys were not given back");
  Check(Talvex.Errors().empty(), "talvex-x11 said: " + Talvex.Errors());
}

void Cyrillic(TRun& R) {
  TProcess& Field = StartField(R, "\"Привет, \" + \"мир\"", {"--select=0,18"});
  StartTalvex(R);
  Hotkey(R, XK_F8);
  ExpectText(Field, "\"Привет, мир\"");
}

// The user holds Ctrl and Shift through the typing: no typed key carries
// them, and afterwards they are down again, until the user lets go.
void HeldModifier(TRun& R) {
  TProcess& Field = StartField(R, "x 2+3*4 y", {"--select=2,5"});
  StartTalvex(R);
  for (const KeySym K : {XK_Control_L, XK_Shift_L, XK_F7}) UserKey(R, K, true);
  UserKey(R, XK_F7, false);
  ExpectText(Field, "x 2+3*4=14 y");
  for (const std::string& Line : Field.Lines) {
    if (Line.rfind("key ", 0) != 0) continue;
    const unsigned State = static_cast<unsigned>(std::stoul(Line.substr(Line.rfind(' ') + 1)));
    Check((State & ControlMask) == 0, "a typed key came with Ctrl: " + Line);
  }
  Check(WaitUntil([&] { return KeyDown(R, XK_Control_L) && KeyDown(R, XK_Shift_L); }),
        "the held Ctrl and Shift are not down again");
  UserKey(R, XK_Shift_L, false);
  UserKey(R, XK_Control_L, false);
  Check(!KeyDown(R, XK_Control_L) && !KeyDown(R, XK_Shift_L), "Ctrl or Shift stuck after the user let go");
}

void GrabbedHotkey(TRun& R) {
  XGrabKey(R.Dpy, Code(R, XK_F7), ControlMask | ShiftMask, DefaultRootWindow(R.Dpy), False, GrabModeAsync,
           GrabModeAsync);
  XSync(R.Dpy, False);
  TProcess& Field = StartField(R, "x 2+3*4 y", {"--select=2,5"});
  TProcess& Talvex = StartTalvex(R);
  ExpectMessage(Talvex, "Ctrl+Shift+F7 is taken by another program");
  Hotkey(R, XK_F8);
  ExpectText(Field, "x 14 y");
}

void SecondInstance(TRun& R) {
  StartTalvex(R);
  TProcess& Second = Start(R, {R.Talvex}, {"LANG=C"});
  Check(Second.Wait() == 1, "a second talvex-x11 did not end with status 1");
  Check(Second.Errors().find("already running") != std::string::npos, "no message: " + Second.Errors());
}

void OneShot(TRun& R) {
  TProcess& Field = StartField(R, "x 2+3*4 y", {"--select=2,5"});
  TProcess& First = Start(R, {R.Talvex, "--oneshot", "expression"}, {"LANG=C"});
  Check(First.Wait() == 0, "the first one-shot did not end with status 0: " + First.Errors());
  ExpectText(Field, "x 2+3*4=14 y");
  // The typing ended the selection.
  TProcess& Second = Start(R, {R.Talvex, "--oneshot=result"}, {"LANG=C"});
  Check(Second.Wait() == 1, "a one-shot with nothing highlighted did not end with status 1");
  Check(Second.Errors().find("Nothing is highlighted") != std::string::npos, "no message: " + Second.Errors());
  ExpectNothingTyped(Field);
}

Window FindWindow(TRun& R, const char* Class) {
  Window Found = 0;
  WaitUntil([&] {
    Window Root, Parent, *Children = nullptr;
    unsigned Count = 0;
    XQueryTree(R.Dpy, DefaultRootWindow(R.Dpy), &Root, &Parent, &Children, &Count);
    for (unsigned I = 0; I < Count && !Found; ++I) {
      XClassHint Hint{};
      if (XGetClassHint(R.Dpy, Children[I], &Hint)) {
        if (std::strcmp(Hint.res_class, Class) == 0) Found = Children[I];
        XFree(Hint.res_name);
        XFree(Hint.res_class);
      }
    }
    if (Children) XFree(Children);
    return Found != 0;
  });
  return Found;
}

// Debian's xterm: its highlighted text read, the answer typed into the shell
// it runs. Three clicks select the line with its line break, which the
// answer keeps: its Return ends the shell's line.
void Xterm(TRun& R) {
  const std::string Out = R.Work + "/xterm.out";
  TProcess& Term = Start(R, {"/usr/bin/xterm", "-geometry", "40x4+0+0", "-e", "sh", "-c",
                             "printf '%s' '2+3*4'; IFS= read -r line; printf '%s' \"$line\" > " + Out + "; sleep 30"});
  const Window Xterm = FindWindow(R, "XTerm");
  Check(Xterm != 0, "no xterm window; stderr: " + Term.Errors());
  Sleep(500);  // the shell's text on the screen
  XWarpPointer(R.Dpy, None, Xterm, 0, 0, 0, 0, 10, 8);
  XSetInputFocus(R.Dpy, Xterm, RevertToParent, CurrentTime);
  for (int Click = 0; Click < 3; ++Click) {  // a line is selected by three clicks
    XTestFakeButtonEvent(R.Dpy, 1, True, 0);
    XTestFakeButtonEvent(R.Dpy, 1, False, 0);
  }
  XSync(R.Dpy, False);
  Check(WaitUntil([&] { return XGetSelectionOwner(R.Dpy, XA_PRIMARY) != None; }), "xterm selected nothing");
  TProcess& Talvex = StartTalvex(R);
  Hotkey(R, XK_F7);
  Check(WaitUntil([&] { return ReadFile(Out) == "2+3*4=14"; }),
        "the shell in xterm read '" + ReadFile(Out) + "'; talvex-x11 said: " + Talvex.Errors());
}

// Errors as notifications, each replacing the one before; a result only
// with --notify-results; standard error stays quiet.
void Notifications(TRun& R) {
  Check(!R.NotifyServer.empty() && std::getenv("DBUS_SESSION_BUS_ADDRESS"), "no private session bus");
  TProcess& Server = Start(R, {R.NotifyServer});
  Server.Expect("ready");
  TProcess& Field = StartField(R, "2+3*4");
  TProcess& Talvex = StartTalvex(R, {"--notify-results", "--messages=ru"});
  Hotkey(R, XK_F7);
  const std::string First = Server.Expect("notify ");
  Check(First == "notify 0 1 Ничего не выделено: сначала выделите выражение.", First);
  Hotkey(R, XK_F8);
  const std::string Second = Server.Expect("notify ");
  Check(Second.rfind("notify 1 1 ", 0) == 0, "it did not replace the first: " + Second);
  Field.Send("reset 2+3*4");
  Field.Expect("ready");
  Hotkey(R, XK_F8);
  ExpectText(Field, "14");
  Check(Server.Expect("notify ") == "notify 1 1 2+3*4=14", "no result notification: " + Server.Lines.back());
  Check(Talvex.Errors().empty(), "standard error: " + Talvex.Errors());
}

double Median(std::vector<double> Values) {
  std::sort(Values.begin(), Values.end());
  return Values[Values.size() / 2];
}

// From the hotkey's key press to the first and to the last typed character,
// as the field receives them.
void Bench(TRun& R) {
  constexpr int Cycles = 21;
  TProcess& Field = StartField(R, "2+3*4", {"--select=0,5"});
  TProcess& Talvex = StartTalvex(R);
  std::vector<double> First, Last;
  for (int I = 0; I < Cycles; ++I) {
    if (I > 0) {
      Field.Send("reset 2+3*4");
      Field.Expect("ready");
    }
    for (const KeySym K : {XK_Control_L, XK_Shift_L}) UserKey(R, K, true);
    const long long Pressed = MonotonicNs();
    UserKey(R, XK_F7, true);
    std::vector<long long> Keys;
    while (Keys.size() < 8) {
      const std::string Line = Field.Expect("key ");
      Keys.push_back(std::stoll(Line.substr(4)));
    }
    for (const KeySym K : {XK_F7, XK_Shift_L, XK_Control_L}) UserKey(R, K, false);
    ExpectText(Field, "2+3*4=14");
    First.push_back(static_cast<double>(Keys.front() - Pressed) / 1e6);
    Last.push_back(static_cast<double>(Keys.back() - Pressed) / 1e6);
  }
  std::printf("x11 bench: %d cycles, hotkey to the first typed character: median %.1f ms (%.1f to %.1f); "
              "to the last (8 characters): median %.1f ms\n",
              Cycles, Median(First), *std::min_element(First.begin(), First.end()),
              *std::max_element(First.begin(), First.end()), Median(Last));
  Check(Talvex.Errors().empty(), "talvex-x11 said: " + Talvex.Errors());
}

// run.sh's demonstration: the text before and after each hotkey.
void Demo(TRun& R) {
  TProcess& Field = StartField(R, "x 2+3*4 y", {"--select=2,5"});
  StartTalvex(R);
  std::printf("  field 'x 2+3*4 y', 2+3*4 highlighted, Ctrl+Shift+F7:  ");
  Hotkey(R, XK_F7);
  ExpectText(Field, "x 2+3*4=14 y");
  std::printf("'x 2+3*4=14 y'\n");
  Field.Send("reset 7/2+1");
  Field.Expect("ready");
  std::printf("  field '7/2+1', all highlighted, Ctrl+Shift+F8:        ");
  Hotkey(R, XK_F8);
  ExpectText(Field, "4.5");
  std::printf("'4.5'\n");
}

const std::map<std::string, void (*)(TRun&)> Cases = {
    {"expression", Expression},       {"result", Result},         {"nothing-selected", NothingSelected},
    {"other-window", OtherWindow},    {"comma-layout", CommaLayout}, {"cyrillic", Cyrillic},
    {"held-modifier", HeldModifier},  {"grabbed-hotkey", GrabbedHotkey}, {"second-instance", SecondInstance},
    {"oneshot", OneShot},             {"xterm", Xterm},           {"notifications", Notifications},
    {"bench", Bench},                 {"demo", Demo},
};

XDevice* UserKeyboard(Display* Dpy) {
  int Count = 0;
  XDeviceInfo* Devices = XListInputDevices(Dpy, &Count);
  XDevice* Found = nullptr;
  for (int I = 0; I < Count && !Found; ++I)
    if (Devices[I].use == IsXExtensionKeyboard && !std::strstr(Devices[I].name, "XTEST"))
      Found = XOpenDevice(Dpy, Devices[I].id);
  XFreeDeviceList(Devices);
  return Found;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc < 4 || !Cases.count(Argv[1])) {
    std::fprintf(stderr, "usage: x11_xvfb_driver CASE TALVEX_X11 TEXT_FIELD [NOTIFY_SERVER]\n");
    return 2;
  }
  TRun R;
  R.Case = Argv[1];
  R.Talvex = Argv[2];
  R.Field = Argv[3];
  R.NotifyServer = Argc > 4 ? Argv[4] : "";
  R.Work = std::getenv("TALVEX_WORK") ? std::getenv("TALVEX_WORK") : "/tmp";
  R.Dpy = XOpenDisplay(nullptr);
  if (!R.Dpy) {
    std::fprintf(stderr, "FAIL no display\n");
    return 1;
  }
  R.Keyboard = UserKeyboard(R.Dpy);
  if (!R.Keyboard) {
    std::fprintf(stderr, "FAIL no keyboard device of Xvfb's own\n");
    return 1;
  }
  int Outcome = 0;
  try {
    Cases.at(R.Case)(R);
  } catch (const TFailure& Failure) {
    std::fprintf(stderr, "FAIL %s: %s\n", R.Case.c_str(), Failure.what());
    for (const auto& Process : R.Started)
      if (const std::string Errors = Process->Errors(); !Errors.empty())
        std::fprintf(stderr, "  standard error of %s:\n%s\n", Process->Name.c_str(), Errors.c_str());
    Outcome = 1;
  }
  // The programs end before the display does.
  R.Started.clear();
  XCloseDevice(R.Dpy, R.Keyboard);
  XCloseDisplay(R.Dpy);
  return Outcome;
}
