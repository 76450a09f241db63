/* Vantrel: global keyboard and mouse hooks that record, in a named shared
   block, the last input times and the focus window of the thread that
   handled the input.

   The library is loaded into every process that receives input while the
   hooks are set, so it links no runtime at all (its own entry point, only
   kernel32 and user32) and its hook procedures do constant work: no
   allocation, no user interface, no waiting. */

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "SharedBlock.h"

/* The hook handles and the last attaching process live in one copy for all
   processes: GAS's "s" flag marks the section IMAGE_SCN_MEM_SHARED (GCC's
   section attribute cannot, and ld ignores a .def SECTIONS statement). A hook
   handle is pointer-sized; C names carry an underscore on x86 only. */
#define VANTREL_STRING(x) #x
#define VANTREL_NAME(prefix, name) VANTREL_STRING(prefix) #name
#define VANTREL_WORD(name, size) \
  "\t.globl " VANTREL_NAME(__USER_LABEL_PREFIX__, name) "\n" \
  VANTREL_NAME(__USER_LABEL_PREFIX__, name) ":\n\t" size " 0\n"
#ifdef _WIN64
#define VANTREL_HANDLE ".quad"
#define VANTREL_ALIGN "\t.balign 8\n"
#else
#define VANTREL_HANDLE ".long"
#define VANTREL_ALIGN "\t.balign 4\n"
#endif
__asm__(".section .GLDATA,\"dws\"\n"
        VANTREL_ALIGN
        VANTREL_WORD(KeyboardHook, VANTREL_HANDLE)
        VANTREL_WORD(MouseHook, VANTREL_HANDLE)
        VANTREL_WORD(LastProcessId, ".long")
        "\t.text\n");
extern HHOOK KeyboardHook;
extern HHOOK MouseHook;
extern DWORD LastProcessId;

/* One copy per process. */
static HINSTANCE ModuleHandle;
static HANDLE MappingHandle;
static volatile SharedBlock *BlockView;

static void ReleaseBlock(void)
{
  if (BlockView) {
    UnmapViewOfFile((LPCVOID)BlockView);
    BlockView = 0;
  }
  if (MappingHandle) {
    CloseHandle(MappingHandle);
    MappingHandle = 0;
  }
}

static LRESULT CALLBACK KeyboardHookProc(int Code, WPARAM WParam, LPARAM LParam)
{
  if (Code >= 0 && BlockView) {
    BlockView->FocusWindow = (DWORD)(UINT_PTR)GetFocus();
    BlockView->KeyboardTime = GetTickCount();
  }
  return CallNextHookEx(KeyboardHook, Code, WParam, LParam);
}

static LRESULT CALLBACK MouseHookProc(int Code, WPARAM WParam, LPARAM LParam)
{
  if (Code >= 0 && BlockView) {
    BlockView->MouseTime = GetTickCount();
    BlockView->FocusWindow = (DWORD)(UINT_PTR)GetFocus();
  }
  return CallNextHookEx(MouseHook, Code, WParam, LParam);
}

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID Reserved)
{
  (void)Reserved;
  if (Reason == DLL_PROCESS_ATTACH) {
    ModuleHandle = Instance;
    DisableThreadLibraryCalls(Instance);
    MappingHandle = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, VANTREL_MAPPING_NAME);
    if (MappingHandle) {
      /* Nothing may be shown here: this runs under the loader lock of a
         foreign process. Without a view the process just goes unrecorded. */
      BlockView = (volatile SharedBlock *)MapViewOfFile(MappingHandle, FILE_MAP_ALL_ACCESS, 0, 0,
                                                        VANTREL_BLOCK_SIZE);
      if (!BlockView) {
        CloseHandle(MappingHandle);
        MappingHandle = 0;
      }
    }
    LastProcessId = GetCurrentProcessId();
  } else if (Reason == DLL_PROCESS_DETACH) {
    ReleaseBlock();
  }
  return TRUE;
}

DWORD WINAPI MonitorInstalled(void)
{
  HANDLE Probe = OpenFileMappingA(FILE_MAP_READ, FALSE, VANTREL_MAPPING_NAME);
  if (!Probe)
    return FALSE;
  CloseHandle(Probe);
  return TRUE;
}

DWORD WINAPI UninstallMonitor(void)
{
  DWORD WasInstalled = MonitorInstalled();
  ReleaseBlock();
  if (KeyboardHook) {
    UnhookWindowsHookEx(KeyboardHook);
    KeyboardHook = 0;
  }
  if (MouseHook) {
    UnhookWindowsHookEx(MouseHook);
    MouseHook = 0;
  }
  return WasInstalled;
}

DWORD WINAPI InstallMonitor(void)
{
  /* The block first: a process the hooks reach attaches the library and
     looks for the block at once, and one that finds none is never recorded. */
  ReleaseBlock(); /* a view taken at attach from an earlier block would leak */
  MappingHandle = CreateFileMappingA(INVALID_HANDLE_VALUE, 0, PAGE_READWRITE, 0, VANTREL_BLOCK_SIZE,
                                     VANTREL_MAPPING_NAME);
  if (!MappingHandle)
    return FALSE;
  BlockView = (volatile SharedBlock *)MapViewOfFile(MappingHandle, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (!BlockView) {
    /* A block nobody can read is no installation either. */
    UninstallMonitor();
    return FALSE;
  }
  BlockView->BlockSize = VANTREL_BLOCK_SIZE;
  BlockView->KeyboardTime = GetTickCount();
  BlockView->MouseTime = GetTickCount();
  BlockView->FocusWindow = 0;

  KeyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, ModuleHandle, 0);
  MouseHook = SetWindowsHookExA(WH_MOUSE, MouseHookProc, ModuleHandle, 0);
  if (!KeyboardHook || !MouseHook) {
    UninstallMonitor();
    return FALSE;
  }
  return TRUE;
}

DWORD WINAPI GetKbdTime(void)
{
  return BlockView ? BlockView->KeyboardTime : 0xFFFFFFFFu;
}

DWORD WINAPI GetMouseTime(void)
{
  return BlockView ? BlockView->MouseTime : 0xFFFFFFFFu;
}

/* A window handle has 32 significant bits in 32-bit and 64-bit processes
   alike; the reader sign-extends it back to its own width. */
DWORD WINAPI GetCurrentFocus(void)
{
  return BlockView ? BlockView->FocusWindow : 0;
}

/* Exported as GetProcessId; kernel32 declares a function of that name. */
DWORD WINAPI MonitorGetProcessId(void)
{
  return BlockView ? LastProcessId : 0;
}
