// Console keys on POSIX systems: the controlling terminal (/dev/tty) in
// non-canonical mode without echo, one byte per key code. The interrupt keys
// stay on (ISIG), and the terminal gets its mode back on every way out: the
// normal end, the terminating signals, and across Ctrl-Z and resume.
#include "console_keys.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace jogpad {

namespace {

// Shared with the signal handlers, so it lives at file scope; the handlers
// only read the modes, which are written before any handler is installed.
int terminalFd = -1;
termios savedMode{};
termios keyMode{};
// Whether the keys are taken over (the terminal should be in keyMode while we
// are in the foreground), and whether keyMode is what the terminal has now.
volatile sig_atomic_t keysOpen = 0;
volatile sig_atomic_t keyModeActive = 0;

// Signals whose default action ends the process: on these the mode is put back
// and the default action then runs. SIGPIPE is among them so that output into a
// closed pipe does not leave the terminal without echo.
constexpr int kEndingSignals[] = {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE};
constexpr int kHandledSignals[] = {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE, SIGTSTP, SIGCONT};
constexpr int kHandledCount = sizeof(kHandledSignals) / sizeof(kHandledSignals[0]);
struct sigaction previousActions[kHandledCount];
bool installed[kHandledCount] = {};

bool inForeground() { return tcgetpgrp(terminalFd) == getpgrp(); }

// Async-signal-safe: tcsetattr only. TCSANOW, because waiting for output to
// drain could hang a handler behind a stopped (Ctrl-S) or hung-up terminal.
void restoreMode() {
  if (keyModeActive) {
    tcsetattr(terminalFd, TCSANOW, &savedMode);
    keyModeActive = 0;
  }
}

void enterKeyMode() {
  if (keysOpen && !keyModeActive && inForeground()) {
    if (tcsetattr(terminalFd, TCSANOW, &keyMode) == 0) keyModeActive = 1;
  }
}

void setDefault(int signal) {
  struct sigaction action{};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
}

void onEndingSignal(int signal) {
  restoreMode();
  // The signal is blocked while this handler runs; it is delivered again, now
  // with the default action, as soon as the handler returns.
  setDefault(signal);
  raise(signal);
}

void installHandler(int signal, void (*handler)(int));

void onStop(int) {
  const int savedErrno = errno;
  restoreMode();
  setDefault(SIGTSTP);
  raise(SIGTSTP);
  // Unblocking lets the pending stop take effect here; the process resumes at
  // this point (or at once, if the stop is discarded for an orphaned group).
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  sigset_t before;
  sigprocmask(SIG_UNBLOCK, &stop, &before);
  sigprocmask(SIG_SETMASK, &before, nullptr);
  installHandler(SIGTSTP, onStop);
  enterKeyMode();
  errno = savedErrno;
}

// Also covers a stop we could not see (SIGSTOP, or a stop for terminal access).
void onContinue(int) {
  const int savedErrno = errno;
  enterKeyMode();
  errno = savedErrno;
}

void installHandler(int signal, void (*handler)(int)) {
  struct sigaction action{};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  // A change of the terminal mode from the background would stop the process
  // inside the handler; with SIGTTOU held back it just happens.
  sigaddset(&action.sa_mask, SIGTTOU);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

void installHandlers() {
  for (int i = 0; i < kHandledCount; ++i) {
    const int signal = kHandledSignals[i];
    sigaction(signal, nullptr, &previousActions[i]);
    // A signal the process was started to ignore (nohup, a shell without job
    // control) stays ignored.
    if (previousActions[i].sa_handler == SIG_IGN) continue;
    bool ending = false;
    for (int s : kEndingSignals) ending = ending || s == signal;
    installHandler(signal, ending ? onEndingSignal : signal == SIGTSTP ? onStop : onContinue);
    installed[i] = true;
  }
}

void uninstallHandlers() {
  for (int i = 0; i < kHandledCount; ++i) {
    if (installed[i]) sigaction(kHandledSignals[i], &previousActions[i], nullptr);
    installed[i] = false;
  }
}

// Holds the handled signals back while the shared state changes.
sigset_t blockHandledSignals() {
  sigset_t all;
  sigemptyset(&all);
  for (int signal : kHandledSignals) sigaddset(&all, signal);
  sigset_t before;
  sigprocmask(SIG_BLOCK, &all, &before);
  return before;
}

}  // namespace

bool openConsoleKeys() {
  const int fd = open("/dev/tty", O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  termios mode{};
  if (tcgetattr(fd, &mode) != 0) {
    close(fd);
    return false;
  }
  terminalFd = fd;
  savedMode = mode;
  keyMode = mode;
  keyMode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  keyMode.c_cc[VMIN] = 1;
  keyMode.c_cc[VTIME] = 0;

  const sigset_t before = blockHandledSignals();
  installHandlers();
  keysOpen = 1;
  sigprocmask(SIG_SETMASK, &before, nullptr);
  // Started in the background, this stops until brought to the foreground, as
  // any full-screen terminal program does.
  int result;
  while ((result = tcsetattr(terminalFd, TCSANOW, &keyMode)) != 0 && errno == EINTR) {
  }
  if (result == 0) keyModeActive = 1;
  return true;
}

void closeConsoleKeys() {
  if (terminalFd < 0) return;
  const sigset_t before = blockHandledSignals();
  keysOpen = 0;
  restoreMode();
  uninstallHandlers();
  sigprocmask(SIG_SETMASK, &before, nullptr);
  close(terminalFd);
  terminalFd = -1;
}

bool keyWaiting() {
  pollfd input{terminalFd, POLLIN, 0};
  return poll(&input, 1, 0) > 0;
}

void waitForConsoleInput() {
  pollfd input{terminalFd, POLLIN, 0};
  poll(&input, 1, -1);
}

int readKey() {
  for (;;) {
    unsigned char code = 0;
    const ssize_t got = read(terminalFd, &code, 1);
    if (got == 1) return code;
    // A resumed stop or a handled signal: the key is still there.
    if (got < 0 && errno == EINTR) continue;
    // End of file or an I/O error: the terminal has hung up.
    return CONSOLE_GONE;
  }
}

}  // namespace jogpad
