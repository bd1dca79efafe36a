// End-to-end check on a real X server: starts symcalc, types a line with the
// XTEST extension as a keyboard would, waits for the result picture to appear
// in the window, copies the result through the clipboard into a new line
// (read back with xclip on the way), interrupts a long line with Esc, opens
// the reference with F1 and closes it with Esc, keeps the focused line in
// view and at the keys through scroll bars and resizes, then types "quit" and
// expects a clean exit; a second run closes the window during a long line.
//
// Usage: x11_driver SYMCALC OUT.ppm   (run under xvfb-run)
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
// Generous: the first start of the toolkit on a loaded machine can be slow.
constexpr auto kPatience = std::chrono::seconds(30);

void Pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Windows come and go while the tree is walked (the toolkit makes and drops
// windows of its own); asking about one that has just gone is no failure.
int IgnoreVanishedWindows(Display*, XErrorEvent* error) {
  if (error->error_code != BadWindow && error->error_code != BadDrawable &&
      error->error_code != BadMatch)
    std::fprintf(stderr, "x11_driver: X error %d\n", error->error_code);
  return 0;
}

std::optional<Window> FindWindow(Display* display, Window parent, const char* title) {
  Window root = 0, parentOut = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return std::nullopt;
  std::optional<Window> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    char* name = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(display, children[i], &name) && name) {
      if (!std::strcmp(name, title) && XGetWindowAttributes(display, children[i], &attributes) &&
          attributes.map_state == IsViewable)
        found = children[i];
      XFree(name);
    }
    if (!found) found = FindWindow(display, children[i], title);
  }
  if (children) XFree(children);
  return found;
}

void TypeKey(Display* display, KeySym symbol) {
  const KeyCode code = XKeysymToKeycode(display, symbol);
  if (code == 0) {
    std::fprintf(stderr, "x11_driver: no key for keysym 0x%lx\n", symbol);
    return;
  }
  // Symbols on the second level of their key need Shift.
  const bool shifted = XkbKeycodeToKeysym(display, code, 0, 0) != symbol;
  const KeyCode shift = XKeysymToKeycode(display, XK_Shift_L);
  if (shifted) XTestFakeKeyEvent(display, shift, True, CurrentTime);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  if (shifted) XTestFakeKeyEvent(display, shift, False, CurrentTime);
  XSync(display, False);
}

// Holds the modifiers down while the key is pressed, as for Ctrl+Shift+C.
void TypeChord(Display* display, std::initializer_list<KeySym> modifiers, KeySym key) {
  for (KeySym m : modifiers) XTestFakeKeyEvent(display, XKeysymToKeycode(display, m), True, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, *m), False, CurrentTime);
  XSync(display, False);
}

void TypeText(Display* display, const std::string& text) {
  for (unsigned char c : text) TypeKey(display, c);  // Latin-1 keysyms equal the code
}

void TypeLine(Display* display, const std::string& text) {
  TypeText(display, text);
  TypeKey(display, XK_Return);
}

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// One grab of the window's pixels.
class Shot {
 public:
  Shot(Display* display, Window window, int width, int height)
      : image_(XGetImage(display, window, 0, 0, width, height, AllPlanes, ZPixmap)) {}
  ~Shot() {
    if (image_) XDestroyImage(image_);
  }
  Shot(const Shot&) = delete;
  Shot& operator=(const Shot&) = delete;

  bool Valid() const { return image_ != nullptr; }
  Rgb At(int x, int y) const {
    const unsigned long pixel = XGetPixel(image_, x, y);
    return {static_cast<int>((pixel & image_->red_mask) >> 16),
            static_cast<int>((pixel & image_->green_mask) >> 8),
            static_cast<int>(pixel & image_->blue_mask)};
  }
  // Pixels with x0 <= x < x1 and y0 <= y < y1 that pass the test.
  template <typename Test>
  int Count(int x0, int y0, int x1, int y1, Test test) const {
    int n = 0;
    for (int y = y0; image_ && y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += test(At(x, y)) ? 1 : 0;
    return n;
  }

 private:
  XImage* image_;
};

bool IsDark(const Rgb& c) { return c.r + c.g + c.b < 3 * 100; }

struct Ink {
  int dark = 0;
  int left = 1 << 30;
};

// Dark pixels at x >= 100: only a result picture puts anything there while
// the typed line is short.
Ink InkRightOfMargin(Display* display, Window window, int width, int height, const char* save) {
  Ink ink;
  const Shot shot(display, window, width, height);
  if (!shot.Valid()) return ink;
  FILE* out = save ? std::fopen(save, "wb") : nullptr;
  if (out) std::fprintf(out, "P6\n%d %d\n255\n", width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Rgb c = shot.At(x, y);
      if (out) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(c.r),
                                      static_cast<unsigned char>(c.g),
                                      static_cast<unsigned char>(c.b)};
        std::fwrite(rgb, 1, 3, out);
      }
      if (x >= 100 && IsDark(c)) {
        ++ink.dark;
        if (x < ink.left) ink.left = x;
      }
    }
  }
  if (out) std::fclose(out);
  return ink;
}

// The dark pixels at x >= 100 once they have stopped changing: a window that
// was covered is repainted by the toolkit a little after it is uncovered.
int SettledInk(Display* display, Window window) {
  int previous = -1;
  for (auto start = Clock::now(); Clock::now() - start < kPatience; Pause()) {
    const int dark = InkRightOfMargin(display, window, 800, 600, nullptr).dark;
    if (dark == previous) return dark;
    previous = dark;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
  }
  return previous;
}

// What xclip reads from a selection in one format; empty when nothing is
// offered in it.
std::string ReadSelection(const char* selection, const char* target) {
  const std::string command = std::string("timeout 10 xclip -selection ") + selection +
                              " -o -t " + target + " 2>/dev/null";
  std::string bytes;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) bytes.append(buffer, n);
    pclose(pipe);
  }
  return bytes;
}

int Fail(pid_t child, const char* message);

// The clipboard's targets once it offers a PNG, waiting for that. Another
// owner may answer a request for image/png with its own text, so the target
// list is what tells that the worksheet's copy has arrived.
std::string TargetsOnceAPngIsOffered() {
  std::string targets;
  for (auto start = Clock::now();
       targets.find("image/png") == std::string::npos && Clock::now() - start < kPatience; Pause())
    targets = ReadSelection("clipboard", "TARGETS");
  return targets;
}

// Ctrl+Shift+C on the line "6*7" puts its result on the clipboard as text,
// LaTeX and PNG, and nothing on the primary selection; pasted with Ctrl+V
// into the new line and evaluated, it draws the same picture, pixel for pixel.
int CopyAndPasteBack(Display* display, Window window, pid_t child) {
  TypeKey(display, XK_Up);
  TypeChord(display, {XK_Control_L, XK_Shift_L}, XK_c);
  const std::string targets = TargetsOnceAPngIsOffered();
  for (const char* format : {"text/plain", "image/png", "text/x-latex", "application/x-latex"})
    if (targets.find(format) == std::string::npos) {
      std::fprintf(stderr, "x11_driver: the clipboard offers %s\n", targets.c_str());
      return Fail(child, "Ctrl+Shift+C did not offer text, LaTeX and PNG on the clipboard");
    }
  if (ReadSelection("clipboard", "text/plain") != "42" || ReadSelection("clipboard", "text/x-latex") != "42")
    return Fail(child, "the clipboard does not hold the text 42");
  if (ReadSelection("primary", "UTF8_STRING") == "42")
    return Fail(child, "copying also set the primary selection");
  const std::string firstPng = ReadSelection("clipboard", "image/png");
  if (firstPng.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return Fail(child, "the clipboard's image/png is no PNG");

  const int inkBefore = InkRightOfMargin(display, window, 800, 600, nullptr).dark;
  TypeKey(display, XK_Down);
  TypeChord(display, {XK_Control_L}, XK_v);
  TypeKey(display, XK_Return);
  bool drawn = false;
  for (auto start = Clock::now(); !drawn && Clock::now() - start < kPatience; Pause())
    drawn = InkRightOfMargin(display, window, 800, 600, nullptr).dark > inkBefore;
  if (!drawn) return Fail(child, "the pasted line drew no picture");
  // Someone else's text first, so that the picture read next is the new copy.
  if (std::system("printf x | xclip -selection clipboard -i") != 0)
    return Fail(child, "xclip cannot set the clipboard");
  // xclip may take the selection only after it has gone to the background; a
  // copy made before that would be overwritten by its text.
  bool replaced = false;
  for (auto start = Clock::now(); !replaced && Clock::now() - start < kPatience; Pause())
    replaced = ReadSelection("clipboard", "TARGETS").find("image/png") == std::string::npos;
  if (!replaced) return Fail(child, "xclip's text did not replace the first copy");
  TypeKey(display, XK_Up);
  TypeChord(display, {XK_Control_L, XK_Shift_L}, XK_c);
  TypeKey(display, XK_Down);
  if (TargetsOnceAPngIsOffered().find("image/png") == std::string::npos)
    return Fail(child, "the second Ctrl+Shift+C offered no PNG");
  const std::string secondPng = ReadSelection("clipboard", "image/png");
  if (secondPng != firstPng) return Fail(child, "the pasted line's picture differs from the copied one");
  std::puts("x11_driver: copied with Ctrl+Shift+C, pasted back, and the pictures are equal");
  return 0;
}

int Fail(pid_t child, const char* message) {
  std::fprintf(stderr, "x11_driver: %s\n", message);
  if (child > 0) {
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
  }
  return 1;
}

struct Launched {
  pid_t child = 0;
  std::optional<Window> window;
  const char* failure = nullptr;
};

// Starts symcalc and waits for its window, gives it the focus and waits for
// its first paint.
Launched Launch(Display* display, const char* symcalc) {
  Launched launched;
  launched.child = fork();
  if (launched.child == 0) {
    execl(symcalc, symcalc, static_cast<char*>(nullptr));
    _exit(127);
  }
  std::optional<Window>& window = launched.window;
  for (auto start = Clock::now(); !window && Clock::now() - start < kPatience; Pause())
    window = FindWindow(display, DefaultRootWindow(display), "InterfaceWindow");
  if (!window) {
    launched.failure = "no window titled InterfaceWindow appeared";
    return launched;
  }

  XWindowAttributes attributes;
  XGetWindowAttributes(display, *window, &attributes);
  if (attributes.width != 800 || attributes.height != 600) {
    launched.failure = "the window is not 800 by 600";
    return launched;
  }

  // Without a window manager nobody hands out the focus: take it, and keep the
  // pointer inside so that focus-follows-pointer cannot take it away.
  XTestFakeMotionEvent(display, -1, attributes.x + 400, attributes.y + 300, CurrentTime);
  XSetInputFocus(display, *window, RevertToParent, CurrentTime);
  XSync(display, False);

  // Until the toolkit has painted, the window's content is undefined (often
  // black); once painted, nothing may be dark right of the margin yet.
  bool clean = false;
  for (auto start = Clock::now(); !clean && Clock::now() - start < kPatience; Pause())
    clean = InkRightOfMargin(display, *window, 800, 600, nullptr).dark == 0;
  if (!clean) launched.failure = "there is ink at x >= 100 before anything was evaluated";
  return launched;
}

// Seconds of work, whose every step listens for a cancel request.
std::string LongLine() {
  constexpr int kDepth = 800;
  std::string text = "diff(";
  for (int i = 0; i < kDepth; ++i) text += "cos(";
  text += 'x';
  return text + std::string(kDepth, ')') + ",x)";
}

// A neutral grey, as the interrupted note is drawn (its antialiased edges too).
bool IsNoteGrey(const Rgb& c) {
  return std::abs(c.r - c.g) < 8 && std::abs(c.g - c.b) < 8 && c.r >= 100 && c.r <= 200;
}

// While a long line runs the window repaints what a resize uncovers, and Esc
// stops the line: a grey note appears beneath it. Returns a failure or null.
const char* EscInterruptsALongLine(Display* display, Window window) {
  TypeLine(display, LongLine());
  // The server delivers the resize after the keys, so the toolkit has taken
  // Return before it sees the resize. A window that does not repaint leaves
  // the uncovered strip as the server left it: the root's black and white weave.
  XResizeWindow(display, window, 900, 650);
  XSync(display, False);
  bool repainted = false;
  for (auto start = Clock::now(); !repainted && Clock::now() - start < kPatience; Pause())
    repainted = Shot(display, window, 900, 650).Count(800, 0, 900, 650, IsDark) == 0;
  if (!repainted) return "the window did not repaint after a resize during an evaluation";

  // Below the typed line's text nothing is drawn until the line ends.
  int textBottom = -1;
  const Shot shot(display, window, 900, 650);
  for (int y = 0; y < 650; ++y)
    if (shot.Count(100, y, 800, y + 1, IsDark) > 0) textBottom = y;
  if (textBottom < 0) return "the typed line does not show";
  if (shot.Count(100, textBottom + 1, 800, 650, IsNoteGrey) > 0)
    return "the long line ended before Esc was pressed";

  TypeKey(display, XK_Escape);
  bool noted = false;
  for (auto start = Clock::now(); !noted && Clock::now() - start < kPatience; Pause())
    noted = Shot(display, window, 900, 650).Count(100, textBottom + 1, 800, 650, IsNoteGrey) > 20;
  if (!noted) return "no grey note appeared beneath the line after Esc";
  XResizeWindow(display, window, 800, 600);
  XSync(display, False);
  std::puts("x11_driver: the window repainted during a long evaluation, and Esc stopped it");
  return nullptr;
}

// A fingerprint of the pixels right of the margin: results and scrolling
// change it, the blinking cursor of a short line does not.
unsigned long ResultsPrint(Display* display, Window window, int width, int height) {
  const Shot shot(display, window, width, height);
  unsigned long print = 0;
  for (int y = 0; shot.Valid() && y < height; ++y)
    for (int x = 100; x < width; ++x) {
      const Rgb c = shot.At(x, y);
      print = print * 31 + static_cast<unsigned long>(c.r * 65536 + c.g * 256 + c.b);
    }
  return print;
}

// Types a line and Return, and waits for the window to show its result.
bool EnterAndWait(Display* display, Window window, const std::string& line) {
  const unsigned long before = ResultsPrint(display, window, 800, 600);
  TypeLine(display, line);
  for (auto start = Clock::now(); Clock::now() - start < kPatience; Pause())
    if (ResultsPrint(display, window, 800, 600) != before) {
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      return true;
    }
  return false;
}

// Types a word into the focused line, checks that it shows in the window,
// and takes it out again. Hidden under a scroll bar or scrolled away, the
// word darkens no pixel.
bool TypingShows(Display* display, Window window, int width, int height) {
  const auto dark = [&] { return Shot(display, window, width, height).Count(0, 0, width, height, IsDark); };
  const int before = dark();
  const std::string word = "MMMMMMMM";
  for (char c : word) TypeKey(display, static_cast<unsigned char>(c));
  bool shown = false;
  for (auto start = Clock::now(); !shown && Clock::now() - start < std::chrono::seconds(5); Pause())
    shown = dark() >= before + 100;
  for (std::size_t i = 0; i < word.size(); ++i) TypeKey(display, XK_BackSpace);
  return shown;
}

void ClickAt(Display* display, Window window, int x, int y) {
  int rootX = 0, rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, 1, True, CurrentTime);
  XTestFakeButtonEvent(display, 1, False, CurrentTime);
  XSync(display, False);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

// Enough lines to scroll, then one wider than the window: the new line must
// not hide under the horizontal scroll bar, a click on either scroll bar must
// leave Return to the focused line, and the focused line must stay in view
// when the window shrinks. Returns a failure or null.
const char* FocusedLineStaysInViewAndKeepsTheKeys(Display* display, Window window) {
  for (int i = 1; i <= 18; ++i)
    if (!EnterAndWait(display, window, std::to_string(i) + "*" + std::to_string(i)))
      return "a short line showed no result";
  if (!EnterAndWait(display, window, "expand((x+y+z+1)^5)")) return "the wide line showed no result";
  if (!TypingShows(display, window, 800, 600))
    return "after a result wider than the window, what is typed into the new line does not show";

  // Inside the vertical bar at the right edge, then the horizontal one at the bottom.
  const int clicks[][2] = {{800 - 6, 300}, {400, 600 - 6}};
  for (const auto& click : clicks) {
    ClickAt(display, window, click[0], click[1]);
    if (!EnterAndWait(display, window, "6*7"))
      return "after a click on a scroll bar, Return no longer evaluates the focused line";
  }

  XResizeWindow(display, window, 400, 300);
  XSync(display, False);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const bool shown = TypingShows(display, window, 400, 300);
  XResizeWindow(display, window, 800, 600);
  XSync(display, False);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  if (!shown) return "after the window shrank, what is typed into the focused line does not show";
  std::puts("x11_driver: the focused line stayed in view and kept the keys through a wide result, "
            "clicks on the scroll bars and a smaller window");
  return nullptr;
}

// F1 in a line that reads "diff(" opens the reference window; Esc closes it
// and gives the worksheet back as it was, and the line is finished and
// evaluated with Return. Returns a failure or null.
const char* F1OpensTheReferenceAndEscClosesIt(Display* display, Window sheet) {
  TypeText(display, "diff(");
  const int before = SettledInk(display, sheet);
  TypeKey(display, XK_F1);
  std::optional<Window> reference;
  for (auto start = Clock::now(); !reference && Clock::now() - start < kPatience; Pause())
    reference = FindWindow(display, DefaultRootWindow(display), "symcalc reference");
  if (!reference) return "F1 opened no window titled symcalc reference";
  std::puts("x11_driver: F1 opened the reference window");

  TypeKey(display, XK_Escape);
  bool gone = false;
  for (auto start = Clock::now(); !gone && Clock::now() - start < kPatience; Pause())
    gone = !FindWindow(display, DefaultRootWindow(display), "symcalc reference");
  if (!gone) return "Esc did not close the reference window";
  if (SettledInk(display, sheet) != before) return "the worksheet does not look as it did before F1";

  TypeText(display, "x^2,x)");
  const int typed = SettledInk(display, sheet);
  TypeKey(display, XK_Return);
  int after = typed;
  for (auto start = Clock::now(); after <= typed && Clock::now() - start < kPatience; Pause())
    after = InkRightOfMargin(display, sheet, 800, 600, nullptr).dark;
  if (after <= typed) return "Return after the reference window evaluated nothing";
  std::puts("x11_driver: Esc closed it and the worksheet went on evaluating");
  return nullptr;
}

void AskToClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

// Closing the window while a long line runs ends the program at once, with
// status 0. Returns the driver's exit status.
int ClosingDuringALineExitsPromptly(Display* display, const char* symcalc) {
  constexpr auto kPrompt = std::chrono::seconds(3);
  const Launched launched = Launch(display, symcalc);
  if (launched.failure) return Fail(launched.child, launched.failure);
  // Short to type, and so quick to take: cos nested 1024 deep, differentiated.
  TypeLine(display,
           "f(t):=cos(cos(cos(cos(t))));g(t):=f(f(f(f(t))));h(t):=g(g(g(g(t))));"
           "k(t):=h(h(h(h(t))));diff(k(k(k(k(x)))),x)");
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  AskToClose(display, *launched.window);
  int status = -1;
  for (auto start = Clock::now(); Clock::now() - start < kPrompt; Pause()) {
    if (waitpid(launched.child, &status, WNOHANG) != launched.child) continue;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "x11_driver: closed during a line, symcalc ended with status %d\n",
                   status);
      return 1;
    }
    std::puts("x11_driver: closing the window during a long line ended symcalc with status 0");
    return 0;
  }
  return Fail(launched.child, "closing the window during a long line did not end the program");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("Usage: x11_driver SYMCALC OUT.ppm\n", stderr);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) return Fail(0, "cannot open the X display");
  XSetErrorHandler(IgnoreVanishedWindows);
  int event = 0, error = 0, major = 0, minor = 0;
  if (!XTestQueryExtension(display, &event, &error, &major, &minor))
    return Fail(0, "the X server has no XTEST extension");

  const Launched launched = Launch(display, argv[1]);
  if (launched.failure) return Fail(launched.child, launched.failure);
  const pid_t child = launched.child;
  const std::optional<Window> window = launched.window;

  TypeLine(display, "6*7");
  Ink ink;
  for (auto start = Clock::now(); ink.dark == 0 && Clock::now() - start < kPatience; Pause())
    ink = InkRightOfMargin(display, *window, 800, 600, nullptr);
  InkRightOfMargin(display, *window, 800, 600, argv[2]);
  if (ink.dark == 0) return Fail(child, "no result picture appeared after Return");
  if (ink.left > 104) return Fail(child, "the result is not drawn at x = 100");
  std::printf("x11_driver: result picture appeared (%d dark pixels from x = %d)\n", ink.dark,
              ink.left);

  if (const int failed = CopyAndPasteBack(display, *window, child)) return failed;
  if (const char* failure = EscInterruptsALongLine(display, *window)) return Fail(child, failure);
  if (const char* failure = F1OpensTheReferenceAndEscClosesIt(display, *window))
    return Fail(child, failure);
  if (const char* failure = FocusedLineStaysInViewAndKeepsTheKeys(display, *window))
    return Fail(child, failure);

  TypeLine(display, "quit");
  int status = -1;
  for (auto start = Clock::now(); Clock::now() - start < kPatience; Pause()) {
    if (waitpid(child, &status, WNOHANG) == child) {
      if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        std::puts("x11_driver: \"quit\" closed the window with status 0");
        const int closing = ClosingDuringALineExitsPromptly(display, argv[1]);
        XCloseDisplay(display);
        return closing;
      }
      XCloseDisplay(display);
      std::fprintf(stderr, "x11_driver: symcalc ended abnormally (status %d)\n", status);
      return 1;
    }
  }
  return Fail(child, "\"quit\" did not end the program");
}
